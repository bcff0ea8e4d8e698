#include "formats/export_file.h"

#include "formats/dxf_writer.h"
#include "formats/svg_writer.h"

namespace bowlyn {

ExportText exportText(const SolvedDesign& design, ExportFormat format, const ExportOptions& options,
                      const std::string& title) {
    ExportText result;
    const ExportDrawingResult drawing = exportDrawing(design, options);
    if (!drawing.problem.empty()) {
        result.problem = drawing.problem;
        return result;
    }
    if (format == ExportFormat::Svg)
        result.text = svgText(drawing.drawing, title);
    else
        result.text = camDxfText(drawing.drawing);
    return result;
}

ExportText exportText(const SolvedDesign& design, ExportFormat format,
                      std::optional<LengthUnit> unit, const std::string& title) {
    ExportOptions options;
    options.unit = unit;
    return exportText(design, format, options, title);
}

}  // namespace bowlyn

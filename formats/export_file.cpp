#include "formats/export_file.h"

#include <cmath>

#include "formats/cam_dxf.h"
#include "formats/dxf_writer.h"
#include "formats/export_drawing.h"
#include "formats/export_numbers.h"
#include "formats/svg_writer.h"

namespace bowlyn {

ExportFile plainDxfFile(const SolvedDesign& design, const ExportSettings&, const std::string&) {
    ExportFile file;
    std::optional<std::string> text = plainDxfText(design.strokes ? *design.strokes : StrokeList{});
    if (text)
        file.bytes = std::move(*text);
    else
        // Cannot happen after a complete pass; refuse rather than write a
        // file with part of the drawing missing or unreadable numbers.
        file.problem = "The outline holds a value that cannot be written to a .dxf file.";
    return file;
}

namespace {

template <class Write>
ExportFile drawingFile(const SolvedDesign& design, const ExportSettings& settings, Write write) {
    ExportFile file;
    const ExportDrawingResult drawing = exportDrawing(design, settings);
    if (drawing.problem.empty())
        file.bytes = write(drawing.drawing);
    else
        file.problem = drawing.problem;
    file.notice = drawing.notice;
    return file;
}

}  // namespace

ExportFile camDxfFile(const SolvedDesign& design, const ExportSettings& settings,
                      const std::string&) {
    if (settings.flatten && !(*settings.flatten > 0.0 && std::isfinite(*settings.flatten))) {
        ExportFile refused;
        refused.problem = "The tolerance for flattening arcs must be a distance greater than 0.";
        return refused;
    }
    ExportFile file = drawingFile(design, settings, [&](const ExportDrawing& d) {
        return camDxfText(d, settings.dxfVersion, settings.flatten).value_or("");
    });
    if (file.problem.empty() && file.bytes.empty())
        file.problem = "Flattening the arcs within " + fixedText(*settings.flatten, 12) +
                       " would take more than a million chords; choose a larger tolerance.";
    return file;
}

ExportFile svgFile(const SolvedDesign& design, const ExportSettings& settings,
                   const std::string& title) {
    return drawingFile(design, settings, [&](const ExportDrawing& d) { return svgText(d, title); });
}

}  // namespace bowlyn

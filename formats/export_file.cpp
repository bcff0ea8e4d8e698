#include "formats/export_file.h"

#include "formats/dxf_writer.h"
#include "formats/export_drawing.h"
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
    return file;
}

}  // namespace

ExportFile camDxfFile(const SolvedDesign& design, const ExportSettings& settings,
                      const std::string&) {
    return drawingFile(design, settings, [](const ExportDrawing& d) { return camDxfText(d); });
}

ExportFile svgFile(const SolvedDesign& design, const ExportSettings& settings,
                   const std::string& title) {
    return drawingFile(design, settings, [&](const ExportDrawing& d) { return svgText(d, title); });
}

}  // namespace bowlyn

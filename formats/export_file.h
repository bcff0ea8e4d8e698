#pragma once

#include <string>

#include "derive/solved_design.h"
#include "model/export_settings.h"

namespace bowlyn {

// An exported file as its writer makes it from a complete pass and the
// choices made beside its name: its bytes and the line that says what it
// holds, or why it is not written.
struct ExportFile {
    std::string bytes;
    std::string summary;  // "11 pages of A4 (a map and 10 tiles in portrait)"; "" for none
    std::string problem;  // the design or the choices cannot make this file: refused
    std::string failure;  // the file could not be made, though nothing was wrong with them
    // What the writer did that the user should know of though the file is
    // made (the cutaway joined to the outline where they cross); "" for none.
    std::string notice;
};

// The writers of the files to cut from, titled with the design's name where
// the format has a title.

// The drawing as recorded, in the design's unit: the specified DXF.
ExportFile plainDxfFile(const SolvedDesign& design, const ExportSettings& settings,
                        const std::string& title);
// The DXF for CAM programs and the SVG at true size, in the unit chosen,
// with the mould chosen and the side strips of a design with depths.
ExportFile camDxfFile(const SolvedDesign& design, const ExportSettings& settings,
                      const std::string& title);
ExportFile svgFile(const SolvedDesign& design, const ExportSettings& settings,
                   const std::string& title);

}  // namespace bowlyn

#pragma once

#include <optional>
#include <string>

#include "derive/solved_design.h"
#include "formats/export_drawing.h"
#include "model/units.h"

namespace bowlyn {

// The files the workshop cuts from, beside the plain DXF of the entity list.
enum class ExportFormat { CamDxf, Svg };

struct ExportText {
    std::string text;     // the whole file
    std::string problem;  // why it cannot be written; "" on success
};

// The file of a complete pass in `format`, with what the options add (in
// their unit, the design's own when not given), titled with the design's
// name where the format has a title.
ExportText exportText(const SolvedDesign& design, ExportFormat format, const ExportOptions& options,
                      const std::string& title);
ExportText exportText(const SolvedDesign& design, ExportFormat format,
                      std::optional<LengthUnit> unit, const std::string& title);

}  // namespace bowlyn

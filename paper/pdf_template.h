#pragma once

#include <string>

#include "formats/export_file.h"
#include "paper/template_plan.h"

namespace bowlyn {

struct TemplatePdf {
    std::string bytes;    // the whole file
    std::string problem;  // why it cannot be written; "" on success
};

// The PDF of a plan, every page at its own size (the map may lie otherwise
// than the tiles), titled with the design's name. `created` (ISO 8601) is
// the creation date it records: given, so that the same design and date
// make the same bytes.
TemplatePdf templatePdf(const TemplatePlan& plan, const std::string& created);

// One line for the user: "7 pages of A4 (a map and 6 tiles in portrait)".
std::string templateSummary(const TemplatePlan& plan);

// The paper template of a complete pass on the paper chosen, dated today (or
// SOURCE_DATE_EPOCH), titled with the design's name, with its summary: the
// writer of the export's table. A design or choices that make no template
// are refused.
ExportFile templatePdfFile(const SolvedDesign& design, const ExportSettings& settings,
                           const std::string& title);

}  // namespace bowlyn

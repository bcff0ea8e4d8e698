#pragma once

#include <string>

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

}  // namespace bowlyn

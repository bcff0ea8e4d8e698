#pragma once

#include <string>
#include <vector>

#include "fit/body_fit.h"

namespace bowlyn {

// One line of what a fit found: "rms", "0.093", "mm".
struct ReportLine {
    std::string name, value, unit;
};

// The fit's numbers as `bowlyn-cli fit` prints them and the window shows
// them: the distances overall and by region, the asymmetry, the placement
// found, the presets. Numbers with "." whatever the locale.
std::vector<ReportLine> fitReport(const OutlineFit& fit);

}  // namespace bowlyn

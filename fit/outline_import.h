#pragma once

#include <optional>
#include <string>

#include "fit/body_fit.h"
#include "trace/read_outline.h"

namespace bowlyn {

struct Overlays;

// An outline imported into the window, kept for "Fit design to outline".
struct ImportedOutline {
    TracedOutline outline;
    std::string name;  // the file's name without folder and extension
};

// Reads the outline of `path` and lays it over a design in `units` as the
// traced outline overlay (shown from the next pass of the working drawing),
// its centre line on the design's and its tail end at the design's, where
// its own shape puts them. "" or why the file could not be imported.
std::string importOutline(Overlays& overlays, DesignUnits units, const std::string& path,
                          const OutlineReading& reading, std::optional<ImportedOutline>& imported);

// Fits a design in `units` to the imported outline: its texts, to load; the
// overlay then lies where the fit placed the outline. The fit's problem, when
// there is one, changes nothing.
OutlineFit fitToOutline(Overlays& overlays, DesignUnits units, const ImportedOutline& imported);

// The fit's report as the window shows it, a "name: value unit" line each.
std::string fitReportText(const OutlineFit& fit);

// The name a fitted design gets from its file: no folder, no extension.
std::string outlineName(const std::string& path);

}  // namespace bowlyn

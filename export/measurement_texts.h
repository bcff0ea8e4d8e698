#pragma once

#include <array>
#include <optional>
#include <string>

#include "derive/solved_design.h"

namespace bowlyn {

struct Document;

// The window's labels of the outline's measurements, in the order of
// measurementTexts: perimeter, area, length, width, fretboard area.
extern const std::array<const char*, 5> measurementLabels;

// Their texts in the design's unit, to two decimals: "48.73 in", "208.4 in²".
// " " for every one without a design or when its outline does not close, and
// for the fretboard area of a design without a fretboard.
std::array<std::string, 5> measurementTexts(const std::optional<SolvedDesign>& design);

// Shows them on the document's form: measured after a complete pass
// (`complete`), blank otherwise.
void showMeasurements(Document& doc, bool complete);

}  // namespace bowlyn

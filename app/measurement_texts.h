#pragma once

#include <array>
#include <optional>
#include <string>

#include "derive/measurements.h"

namespace bowlyn {

// The texts of the outline's measurements in the design's unit, to two
// decimals ("48.73 in", "208.4 in²"), in the order of the Measurement outputs
// of model/outputs.def: perimeter, area, length, width, fretboard area. " "
// for every one without measurements or when the outline does not close, and
// for the fretboard area of a design without a fretboard.
std::array<std::string, 5> measurementTexts(const std::optional<MeasureResult>& measured);

}  // namespace bowlyn

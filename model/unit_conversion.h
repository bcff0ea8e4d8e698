#pragma once

#include <cstdint>
#include <string>

#include "model/design.h"
#include "model/unit_lengths.h"

namespace bowlyn {

// How close a converted length's text comes to the exact conversion, relative
// to it: well within what a single-precision value holds (about 6e-8), so the
// design's outline in millimetres stays the same to 1e-6 after a conversion
// and after converting back.
constexpr double CONVERTED_TEXT_TOLERANCE = 1e-7;

// A finite `value` as a person would type it: the fewest decimals that keep
// it within CONVERTED_TEXT_TOLERANCE of itself, so no trailing zeros
// ("39.37", "19.68504", "50"), or beyond 1e15 and below 1e-12 the fewest
// digits with an exponent ("2.54e+30"); "." whatever the locale.
std::string typedNumberText(double value);

// The text of a length entry in the other unit: its value (as the entry's
// commit reads it, fractions included) converted exactly, written by
// typedNumberText. A text whose value is 0 (a blank entry among them) or not
// finite is the same in either unit and stays as it is.
std::string convertedLengthText(const std::string& text, DesignUnits fromUnits,
                                DesignUnits toUnits);

// Converts the design to `units` (UNITS_INCH or UNITS_CM):
// every field that the field table declares a length in the design's unit
// gets its converted text and value, and the units switch changes with them;
// names, counts, switches, choices and the lengths taken in inches in either
// unit stay. False, changing nothing, when the design is in `units` already.
bool convertDesignUnits(Design& design, DesignUnits units);

}  // namespace bowlyn

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bowlyn {

// Reads the longest numeric prefix of a text after leading spaces: a decimal
// number with optional sign, point and exponent (E, e, D or d), or an integer
// in another radix introduced by "&" (&H hex, &O or &digit octal, &B binary).
// A text without a number reads as 0. Never depends on the locale.
double readNumber(std::string_view text);

// An entry's dimension: a plain number or a fraction "3/4" or "1 3/4".
float parseDimension(std::string_view text);

// A text that must be nothing but a number: how the depths, the mould's
// distance and every number of the command line are read, in the window and
// on the command line alike. The whole text, spaces and tabs around it
// aside, is a decimal with an optional sign and exponent (E, e, D or d) or a
// fraction as the entries take them ("4 7/8"); its value is the entries' own
// reading (a fraction in single precision, a decimal correctly rounded).
// Nothing for a blank text; NaN for one that is no such number, which every
// range a caller asks for refuses.
std::optional<double> readWholeNumber(std::string_view text);

// Nearest integer with halves to the even neighbour, saturated to the 32-bit
// range so that entries such as "1e12" or "-1e40" stay well defined; NaN gives 0.
int32_t roundToInt32(double value);

// Rounds to `places` decimals, halves away from zero for positive values and
// toward zero for negative ones (trunc(p * v + 0.5) / p).
float roundTo(float value, int places);

// "%.7g" of a single without a trailing ".", whatever the locale.
std::string singleToText(float value);
// "%.16g" of a double without a trailing ".", whatever the locale.
std::string doubleToText(double value);

}  // namespace bowlyn

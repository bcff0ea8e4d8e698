#pragma once

#include <string>

namespace bowlyn {

// Digits after the point that keep every length of a drawing whose
// coordinates reach `size` to 1e-12 of it, far beyond any machine's
// resolution and the 1e-9 a file needs to measure the same as the design.
int lengthDecimals(double size);

// Decimal digits of a bulge and of an angle in degrees.
constexpr int BULGE_DECIMALS = 16;
constexpr int DEGREE_DECIMALS = 12;

// Appends `value` in fixed-point notation rounded to `decimals` places,
// without trailing zeros or a trailing point, and never "-0": "." whatever
// the locale, and no exponent, which some CAM readers do not accept. Only for
// finite values.
void appendFixed(std::string& out, double value, int decimals);
// The same as a string of its own, for text shown to people.
std::string fixedText(double value, int decimals);

}  // namespace bowlyn

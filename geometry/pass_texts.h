#pragma once

#include <array>
#include <string>

#include "geometry/recompute.h"

namespace bowlyn {

constexpr const char* STATUS_OK = "Status: OK";

// The status line after a pass: "Status: OK" or the problem's message.
std::string statusText(const PassResult& result);

// The texts of the derived values, in the order of the derived outputs of
// model/outputs.def: radii as singleToText of the value rounded to 2
// decimals, points as pointText; " " for a value not present.
std::array<std::string, 11> derivedValueTexts(const DerivedValues& values);

// "x,y" of two values rounded to 2 decimals.
std::string pointText(float x, float y);

}  // namespace bowlyn

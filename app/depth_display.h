#pragma once

#include <string>

#include "geometry/pass_result.h"

namespace bowlyn {

struct PassReport;

// Shown beneath the resonance estimate.
constexpr const char* RIGID_BOX_NOTE =
    "Estimated for a rigid box: a real guitar's main air resonance comes out lower, because its "
    "top and back move.";

// What the labels beneath the Depth section show after a pass: the air
// volume in the design's unit cubed and in litres and, with a sound hole and
// a top thickness, the resonance estimate with its note. A depth that cannot
// be used is a problem as the body's are: its message, naming the field in
// the window's words, in the note's place and in the status line, and its
// entry marked. Blank (" ") otherwise.
struct AirDisplay {
    std::string volume = " ", resonance = " ", note = " ";
    std::string problem;  // for the status line; "" for none
    FieldSet problemFields;
};
// Numbers use "." whatever the locale.
AirDisplay airDisplay(const PassReport& report);

// The texts the labels get: "1110.6 in³ (18.20 litres)", "about 122 Hz".
std::string airVolumeText(double volume, const char* unitName, double litres);
std::string airResonanceText(double hertz);

}  // namespace bowlyn

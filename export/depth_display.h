#pragma once

#include <string>

namespace bowlyn {

struct Document;

// The labels beneath the Depth section that show the body's air.
constexpr const char* AIR_VOLUME_LABEL = "labelAirVolumeData";
constexpr const char* AIR_RESONANCE_LABEL = "labelAirResonanceData";
constexpr const char* AIR_NOTE_LABEL = "labelAirResonanceNote";

// Shown beneath the resonance estimate.
constexpr const char* RIGID_BOX_NOTE =
    "Estimated for a rigid box: a real guitar's main air resonance comes out lower, because its "
    "top and back move.";

// After a complete pass (`complete`) with both depths greater than 0, the
// air volume in the design's unit cubed and in litres and, with a sound hole
// and a top thickness, the resonance estimate with its note; a depth that
// cannot be used is a problem: its message (naming the field in the window's
// words) in the status line and in the note's place, its entry marked, no
// numbers. Blank labels otherwise. Numbers use "." whatever the locale.
void showAirMeasurements(Document& doc, bool complete);

// The texts the labels get, for the window and its tests: "1110.6 in³
// (18.20 litres)", "about 122 Hz".
std::string airVolumeText(double volume, const char* unitName, double litres);
std::string airResonanceText(double hertz);

}  // namespace bowlyn

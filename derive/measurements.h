#pragma once

#include <optional>
#include <string>

#include "derive/bounds.h"
#include "derive/outline_contours.h"
#include "model/units.h"

namespace bowlyn {

// Exact properties of one closed contour, from its lines and arcs.
double contourPerimeter(const Contour& c);
double contourArea(const Contour& c);  // positive for a counter-clockwise loop

// The smallest rectangle round the contour, arcs' bulges included.
Bounds contourBounds(const Contour& c);

// What a luthier reads off the outline: the perimeter of the body (the length
// of its sides and of the binding), its area, overall length along the
// centre line and width across it, and the fingerboard's area, all in one
// unit (areas in its square).
struct OutlineMeasurements {
    LengthUnit unit = LengthUnit::Inch;
    double perimeter = 0, area = 0, length = 0, width = 0;
    bool hasFretboard = false;
    double fretboardArea = 0;
    // With both depths: the air inside, in the unit cubed and in litres; with
    // a sound hole and a top thickness too, the air resonance of a rigid box.
    bool hasVolume = false;
    double volume = 0, litres = 0;
    bool hasResonance = false;
    double resonance = 0;  // Hz
};

struct MeasureResult {
    OutlineMeasurements values;
    std::string problem;  // "" on success
    // Why the depths give no volume although the outline is measured: a
    // typed value that cannot be used, naming its field; "" otherwise.
    std::string depthProblem;
    std::string notice;  // the closed loops' (ContourSet::notice)
};

// The measurements of a design's closed contours, in `unit`.
MeasureResult measureContours(const ContourSet& contours, LengthUnit designUnit, LengthUnit unit);
// Closes the contours of a solved design and measures them, its air volume
// and resonance included; the design's own unit when `unit` is not given.
MeasureResult measureDesign(const SolvedDesign& design, std::optional<LengthUnit> unit);

}  // namespace bowlyn

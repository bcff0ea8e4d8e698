#pragma once

#include <optional>
#include <string>

#include "export/bounds.h"
#include "export/outline_contours.h"
#include "export/units.h"

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
};

struct MeasureResult {
    OutlineMeasurements values;
    std::string problem;  // "" on success
};

// The measurements of a design's closed contours, in `unit`.
MeasureResult measureContours(const ContourSet& contours, LengthUnit designUnit, LengthUnit unit);
// Closes the contours of a solved design and measures them; the design's own
// unit when `unit` is not given.
MeasureResult measureDesign(const SolvedDesign& design, std::optional<LengthUnit> unit);

}  // namespace bowlyn

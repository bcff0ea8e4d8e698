#pragma once

#include <cstdint>
#include <vector>

#include "model/design_parameters.h"

namespace bowlyn {

// One fret (or the nut, or the saddle line) as a workshop marks it: from its
// end on the bass edge to its end on the treble edge, in the design's frame
// (x from the centre line, y up from the tail end).
struct FretLine {
    double bassX = 0, bassY = 0, trebleX = 0, trebleY = 0;

    double length() const;
    // Its angle from square to the centre line, in degrees: positive when the
    // bass end lies nearer the bridge.
    double angleDegrees() const;
};

// The frets of a fingerboard that passed its checks, in double precision
// (the drawing holds singles): each edge carries its own scale, every fret
// lies at its edge's saddle plus scale / 2^(n/12) on both edges, the
// perpendicular fret's two ends share one y, and fret J crosses the centre
// line at the body's neck end. The slots are cut across these lines.
struct FretLayout {
    std::vector<FretLine> frets;  // 0 (the nut) to the fret count
    FretLine saddle;
    double slotWidth = 0;  // across the fret line
    double slotInset = 0;  // how far each slot stops short of the board's edges

    bool empty() const { return frets.empty(); }
    // Distances from the nut along each edge, the true length along the
    // slanted edge: of fret n, or of the whole edge with the saddle.
    double bassFromNut(const FretLine& f) const;
    double trebleFromNut(const FretLine& f) const;
};

// Empty without a fretboard or with a fret count out of range.
FretLayout fretLayout(const DesignParameters& p);

// The kerf of a fret saw: 0.023 in, the slot width a blank entry stands for.
double defaultSlotWidth(DesignUnits units);

// The length of the shortest fret (fret 1, nearest the nut), which a slot's
// inset at both ends must leave something of. Needs the taper only: how far
// a fret runs does not depend on where the neck is placed.
double shortestFretLength(const DesignParameters& p, float taperWidth, int32_t taperFret);

}  // namespace bowlyn

#pragma once

#include <optional>

#include "trace/outline_loops.h"

namespace bowlyn {

// Where a body lies in its file: the centre line's point at the tail end and
// its direction towards the neck, and whether the file shows the body's
// mirror image (the cutaway, or a half, on the left of the centre line
// looking from the tail to the neck). In millimetres and radians, in the
// file's own frame.
struct Placement {
    TracePoint tail;
    double angle = 0;
    bool mirrored = false;

    // A point of the file in body coordinates: x across from the centre line
    // (positive on the right), y along it from the tail end.
    TracePoint toBody(const TracePoint& p) const;
    TracePoint fromBody(const TracePoint& p) const;
};

// What the outline's shape says before any fit.
struct PlacedOutline {
    Placement placement;
    Polyline body;  // the outline's points in body coordinates (mm)
    bool half = false;
    bool cutaway = false;  // one side is cut away near the neck end
    // Left and right differences where both sides are the body's (not at the
    // cutaway): for each point, how far its mirror image lies from the outline.
    std::optional<double> asymmetryRms, asymmetryMax;
};

// Finds the centre line as the axis of best symmetry (for a half, the line
// between its ends), the tail end as the end of the wider bout, and a cutaway
// by the side that is cut away; the cutaway side or the half is put on the
// right.
PlacedOutline placeOutline(const TracedOutline& outline);

}  // namespace bowlyn

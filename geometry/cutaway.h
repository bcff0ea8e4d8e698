#pragma once

#include <optional>

#include "geometry/body_outline.h"
#include "geometry/pass_result.h"
#include "model/design_parameters.h"

namespace bowlyn {

// The lines and circles the cutaway was constructed with, as far as its
// solving got: the working drawing shows them, in this order.
struct CutawayConstruction {
    std::optional<Segment> edge;      // the fingerboard edge moved out, down to the depth
    std::optional<Segment> floor;     // across from the depth to the upper bout's reach
    std::optional<Segment> width;     // down from the neck end, the width beyond the edge
    std::optional<Point> widthPoint;  // where that meets the outline (C)
    std::optional<Circle> arc;        // the Florentine arc or the Venetian valley
    std::optional<Circle> point;      // the Venetian point
};

// What the cutaway step found: the cutaway as far as it was solved, its
// construction, and the first problem, or none when the cutaway is built.
struct CutawaySolution {
    CutawayGeometry geometry;
    CutawayConstruction construction;
    std::optional<Problem> problem;
};

// Checks the cutaway parameters against the solved body outline and solves
// the cutaway on its right-hand side. Draws nothing.
CutawaySolution solveCutaway(const DesignParameters& p, const BodyOutline& body);

}  // namespace bowlyn

#pragma once

#include <string>

#include "derive/contour.h"
#include "model/units.h"

namespace bowlyn {

struct MouldResult {
    Contour loop;         // counter-clockwise, on the mould's layer
    std::string problem;  // "" on success
};

// The outline of a mould round the body: the closed counter-clockwise body
// loop offset outwards by `distance` (in its unit, which messages name).
// Arcs stay arcs on their own centres, the radius grown by the distance
// where the outline bulges out and shrunk where it curves in; lines move
// out in parallel; where the outline turns outwards at a corner, an arc of
// the distance's radius round that corner joins the two, and at an inward
// corner the two meet where they cross. So every point of the loop lies at
// exactly the distance from the body. An inward curve whose radius is not
// larger than the distance, or an outline that the offset would cut into,
// is refused with a message that names the piece.
MouldResult mouldLoop(const Contour& body, double distance, LengthUnit unit);

}  // namespace bowlyn

#pragma once

#include <optional>

#include "geometry/outline_pieces.h"

namespace bowlyn {

// Joins the end of `in` and the start of `out` where their line or circle
// truly cross (in double precision), trimming or extending each to that
// point: where two ends found in single precision miss each other, as the
// cutaway's meeting points with the outline can. Without a crossing (a
// circle touching the other from inside, a line that grazes it) they meet
// where they come closest. Returns how far apart the ends were, or nullopt
// (and changes nothing) when no such point lies on both pieces' own run:
// a piece would turn back or round.
std::optional<double> joinAtCrossing(ContourPiece& in, ContourPiece& out);

}  // namespace bowlyn

#pragma once

#include <vector>

namespace bowlyn {

struct Document;

// One line or arc of the body outline as the pass draws it, in model units.
// An arc runs counter-clockwise from angle a1 to a2 (radians).
struct OutlinePiece {
    bool arc = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;         // a line
    double cx = 0, cy = 0, r = 0, a1 = 0, a2 = 0;  // an arc
};

// The closed outline of both halves from the solved outline of the current
// design, piece by piece as drawOutline draws it. With `cutawaySide` and a
// cutaway in the design, the upper part of the positive half is the solved
// cutaway side instead (so only after the cutaway step has succeeded).
std::vector<OutlinePiece> bodyOutlinePieces(const Document& doc, bool cutawaySide);

// The shortest distance from (x, y) to the piece: to an arc as an arc, not
// as its whole circle.
double distanceToPiece(const OutlinePiece& piece, double x, double y);

// Whether (x, y) lies inside the closed curve the pieces form. Points on the
// curve itself may count either way.
bool insideOutline(const std::vector<OutlinePiece>& pieces, double x, double y);

}  // namespace bowlyn

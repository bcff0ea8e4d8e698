#pragma once

#include <vector>

#include "geometry/body_outline.h"

namespace bowlyn {

// A whole turn in radians (the true value, not twice the single-precision pi).
constexpr double CIRCLE_RADIANS = 6.283185307179586476925286766559;
constexpr double RADIANS_PER_DEGREE = CIRCLE_RADIANS / 360.0;

// The sweep from angle `from` counter-clockwise to angle `to`, in [0, 2 pi).
double ccwSweep(double from, double to);

// One line or arc of the body outline as the pass draws it, in model units,
// in its drawn direction: a line from (x1, y1) to (x2, y2), or an arc counter-
// clockwise from angle a1 to a2 (radians), its ends cut at the single-
// precision angles the drawing uses.
struct OutlinePiece {
    bool arc = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;         // a line
    double cx = 0, cy = 0, r = 0, a1 = 0, a2 = 0;  // an arc
};

// The same piece as the exports join it, walked counter-clockwise round the
// body: a line from (x1, y1) to (x2, y2), or an arc of the circle (cx, cy, r)
// from angle `start` (where it meets (x1, y1)) on by `sweep`. Its cut angles
// are found in double precision and kept on their arc, and a joining line
// takes the exact ends of its neighbours, so that the loop closes.
struct ContourPiece {
    const char* name = "";  // for messages, "waist arc"
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double sweep = 0;  // 0 for a line; counter-clockwise positive
    double cx = 0, cy = 0, r = 0, start = 0;

    static ContourPiece line(const char* name, double x1, double y1, double x2, double y2) {
        ContourPiece p;
        p.name = name;
        p.x1 = x1;
        p.y1 = y1;
        p.x2 = x2;
        p.y2 = y2;
        return p;
    }
};

// One piece of the body outline in both forms: the sound hole is measured
// against what is drawn, the exports close the exact loop.
struct BodyPiece {
    OutlinePiece drawn;
    ContourPiece exact;
};

// The closed outline of a solved record, counter-clockwise from the tail end:
// the computed half (with the cutaway side when `withCutaway` and the record
// has a cutaway, so only once the cutaway step has succeeded), then the plain
// half mirrored about the centre line and walked back.
std::vector<BodyPiece> bodyOutline(const OutlineRecord& record, bool withCutaway);

// The drawn pieces of that outline, leaving out arcs the drawing leaves out
// (equal start and end angles).
std::vector<OutlinePiece> drawnOutline(const OutlineRecord& record, bool withCutaway);

// The shortest distance from (x, y) to the piece: to an arc as an arc, not
// as its whole circle.
double distanceToPiece(const OutlinePiece& piece, double x, double y);

// Whether (x, y) lies inside the closed curve the pieces form. Points on the
// curve itself may count either way.
bool insideOutline(const std::vector<OutlinePiece>& pieces, double x, double y);

}  // namespace bowlyn

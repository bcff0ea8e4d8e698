#pragma once

#include <cstdint>

#include "model/angles.h"

namespace bowlyn {

// Plane geometry shared by the outline, the cutaway and the fretboard. Every
// named intermediate is held as a single; arithmetic runs in double.

// A point in model units: x across from the centre line, y up from the tail end.
struct Point {
    float x = 0, y = 0;
};

struct Circle {
    Point centre;
    float r = 0;
};

// A straight piece from one point to another.
struct Segment {
    Point from, to;
};

// Direction from `from` to `to` in [0, 2pi), or -1 for coincident points.
float angleTo(Point from, Point to);
Point pointOnCircle(const Circle& c, float angle);
float distance(Point a, Point b);

// The common tangent of two separate circles that crosses the line of
// centres, from where it touches the first to where it touches the second;
// `side` (-1 or 1) chooses which of the two.
Segment crossTangent(const Circle& first, const Circle& second, int32_t side);

// How the lines through two segments meet: 0 parallel, 1 collinear (no
// point), 2 within both segments, 3 outside them. `at` is written only when
// they meet (2 and 3).
int32_t intersectSegments(const Segment& a, const Segment& b, Point& at);

// Where a segment meets a circle or an arc: status -1 nowhere, 0 one point
// (in both), 1 two points.
struct CircleCrossing {
    int32_t status = -1;
    Point first, second;
};
CircleCrossing intersectSegmentCircle(const Circle& c, const Segment& s);
// The arc of the circle round `centre` through `start`, counter-clockwise to
// the direction of `end`.
CircleCrossing intersectSegmentArc(Point centre, Point start, Point end, const Segment& s);

// The circle through Q touching the lines V-A and V-B, and where it touches
// V-A; `found` false when there is none.
struct TangentArc {
    bool found = false;
    Point centre, touch;
};
TangentArc tangentArcPLL(Point a, Point v, Point b, Point q);

// From the midpoint of `s`, `length` along its normal (to the left of its
// direction).
Segment perpendicularBisector(const Segment& s, float length);

}  // namespace bowlyn

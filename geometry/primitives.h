#pragma once

#include <cstdint>

namespace bowlyn {

// Plane geometry shared by the outline, the cutaway and the fretboard. Every
// named intermediate is held as a single; arithmetic runs in double.

// Direction from (x1, y1) to (x2, y2) in [0, 2pi), or -1 for coincident points.
float angleTo(float x1, float y1, float x2, float y2);
void pointOnCircle(float cx, float cy, float r, float a, float& x, float& y);
float distance(float x1, float y1, float x2, float y2);
// The common tangent of two separate circles that crosses the line of centres.
void crossTangent(float x1, float y1, float r1, float x2, float y2, float r2, int32_t side,
                  float& p1x, float& p1y, float& p2x, float& p2y);
// Status 0 parallel, 1 collinear (no point), 2 segments meet, 3 lines meet outside.
void intersectSegments(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                       float y4, int32_t& status, float& x, float& y);
// Status -1 none, 0 one point (in both outputs), 1 two points.
void intersectSegmentCircle(float cx, float cy, float r, float x1, float y1, float x2, float y2,
                            int32_t& status, float& p1x, float& p1y, float& p2x, float& p2y);
void intersectSegmentArc(float cx, float cy, float sx, float sy, float ex, float ey, float x1,
                         float y1, float x2, float y2, int32_t& status, float& p1x, float& p1y,
                         float& p2x, float& p2y);
// Circle through Q touching the lines V-A and V-B; status 1 when found.
void tangentArcPLL(float ax, float ay, float vx, float vy, float bx, float by, float qx, float qy,
                   float& cx, float& cy, float& tx, float& ty, int32_t& status);
void perpendicularBisector(float x1, float y1, float x2, float y2, float length, float& mx,
                           float& my, float& ex, float& ey);

}  // namespace bowlyn

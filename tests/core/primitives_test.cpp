#include "geometry/primitives.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/view_transform.h"

namespace bowlyn {
namespace {

constexpr float PI = PI_SINGLE;
constexpr float TOL = 1e-5f;

TEST(AngleTo, EachDirectionCase) {
    EXPECT_EQ(angleTo(0, 0, 1, 0), 0.0f);
    EXPECT_NEAR(angleTo(0, 0, 1, 1), PI / 4, TOL);
    EXPECT_EQ(angleTo(0, 0, 0, 1), static_cast<float>(0.5 * PI));
    EXPECT_NEAR(angleTo(0, 0, -1, 1), 3 * PI / 4, TOL);
    EXPECT_EQ(angleTo(0, 0, -1, 0), PI);
    EXPECT_NEAR(angleTo(0, 0, -1, -1), 5 * PI / 4, TOL);
    EXPECT_EQ(angleTo(0, 0, 0, -1), static_cast<float>(1.5 * PI));
    EXPECT_NEAR(angleTo(0, 0, 1, -1), 2 * PI - PI / 4, TOL);
    EXPECT_EQ(angleTo(3, 4, 3, 4), -1.0f);
    // A direction just below +x stays below 2pi and never wraps to 0.
    const float a = angleTo(0, 0, 1, -1e-6f);
    EXPECT_GT(a, 6.28f);
    EXPECT_LE(a, static_cast<float>(2.0 * PI));
}

TEST(CrossTangent, TransverseTangentOfSeparateCircles) {
    float p1x, p1y, p2x, p2y;
    crossTangent(0, 0, 1, 0, 4, 1, -1, p1x, p1y, p2x, p2y);
    EXPECT_NEAR(p1x, 0.8660254f, TOL);
    EXPECT_NEAR(p1y, 0.5f, TOL);
    EXPECT_NEAR(p2x, -0.8660254f, TOL);
    EXPECT_NEAR(p2y, 3.5f, TOL);
    // The segment has length t = sqrt(12).
    EXPECT_NEAR(distance(p1x, p1y, p2x, p2y), std::sqrt(12.0f), 1e-4f);

    crossTangent(0, 0, 1, 0, 4, 1, 1, p1x, p1y, p2x, p2y);
    EXPECT_NEAR(p1x, -0.8660254f, TOL);
    EXPECT_NEAR(p1y, 0.5f, TOL);
    EXPECT_NEAR(p2x, 0.8660254f, TOL);
    EXPECT_NEAR(p2y, 3.5f, TOL);
}

TEST(CrossTangent, TurnedPictureAndUnequalRadii) {
    // Second centre to the right of the first: the picture is turned by -pi/2.
    float p1x, p1y, p2x, p2y;
    crossTangent(1, 1, 1, 6, 1, 2, -1, p1x, p1y, p2x, p2y);
    EXPECT_NEAR(distance(1, 1, p1x, p1y), 1.0f, 1e-4f);
    EXPECT_NEAR(distance(6, 1, p2x, p2y), 2.0f, 1e-4f);
    // Right of the direction of travel (+x) is below the line of centres.
    EXPECT_LT(p1y, 1.0f);
    EXPECT_GT(p2y, 1.0f);
    // The segment is perpendicular to both radii.
    const float ux = p2x - p1x, uy = p2y - p1y;
    EXPECT_NEAR(ux * (p1x - 1) + uy * (p1y - 1), 0.0f, 1e-3f);
    EXPECT_NEAR(ux * (p2x - 6) + uy * (p2y - 1), 0.0f, 1e-3f);
}

TEST(CrossTangent, TouchingCirclesGiveTheTouchingPointTwice) {
    float p1x, p1y, p2x, p2y;
    crossTangent(0, 0, 1, 0, 3, 2, -1, p1x, p1y, p2x, p2y);
    EXPECT_NEAR(p1x, 0.0f, TOL);
    EXPECT_NEAR(p1y, 1.0f, TOL);
    EXPECT_NEAR(p2x, 0.0f, TOL);
    EXPECT_NEAR(p2y, 1.0f, TOL);
}

TEST(IntersectSegments, AllStatuses) {
    int32_t st = -7;
    float x = 99, y = 99;
    intersectSegments(0, 0, 1, 0, 0.5f, -1, 0.5f, 1, st, x, y);
    EXPECT_EQ(st, 2);
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(y, 0.0f);

    intersectSegments(0, 0, 1, 0, 2, -1, 2, 1, st, x, y);
    EXPECT_EQ(st, 3);
    EXPECT_EQ(x, 2.0f);
    EXPECT_EQ(y, 0.0f);

    x = y = 99;
    intersectSegments(0, 0, 1, 0, 0, 1, 1, 1, st, x, y);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(x, 99.0f);  // no point written

    intersectSegments(0, 0, 1, 0, 2, 0, 3, 0, st, x, y);
    EXPECT_EQ(st, 1);

    // Meeting exactly at an end counts as crossing.
    intersectSegments(0, 0, 1, 0, 1, -1, 1, 1, st, x, y);
    EXPECT_EQ(st, 2);
    EXPECT_EQ(x, 1.0f);
}

struct CircleCut {
    int32_t status;
    float p1x, p1y, p2x, p2y;
};

CircleCut cutCircle(float cx, float cy, float r, float x1, float y1, float x2, float y2) {
    CircleCut c{};
    intersectSegmentCircle(cx, cy, r, x1, y1, x2, y2, c.status, c.p1x, c.p1y, c.p2x, c.p2y);
    return c;
}

TEST(IntersectSegmentCircle, KeepsOnlyPointsOnTheSegment) {
    CircleCut c = cutCircle(0, 0, 2, -3, 0, 3, 0);
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.p1x, 2.0f);  // formula order
    EXPECT_EQ(c.p1y, 0.0f);
    EXPECT_EQ(c.p2x, -2.0f);
    EXPECT_EQ(c.p2y, 0.0f);

    c = cutCircle(0, 0, 2, 0, 0, 3, 0);
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.p1x, 2.0f);
    EXPECT_EQ(c.p2x, 2.0f);

    c = cutCircle(0, 0, 2, -3, 0, 0, 0);
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.p1x, -2.0f);
    EXPECT_EQ(c.p2x, -2.0f);

    EXPECT_EQ(cutCircle(0, 0, 2, -1, 0, 1, 0).status, -1);  // inside
    EXPECT_EQ(cutCircle(0, 0, 2, 3, 0, 4, 0).status, -1);   // beside
    EXPECT_EQ(cutCircle(0, 0, 1, -2, 5, 2, 5).status, -1);  // misses the circle
}

TEST(IntersectSegmentCircle, VerticalSegmentComparesAlongYAndCentreIsAddedBack) {
    CircleCut c = cutCircle(10, 20, 2, 10, 21, 10, 30);
    EXPECT_EQ(c.status, 0);
    EXPECT_NEAR(c.p1x, 10.0f, TOL);
    EXPECT_NEAR(c.p1y, 22.0f, TOL);
    EXPECT_EQ(c.p1y, c.p2y);
}

TEST(IntersectSegmentCircle, DiscriminantIsRoundedToAWholeNumber) {
    // 16 - 15.68 rounds to 0: one point although the line cuts twice.
    CircleCut c = cutCircle(0, 0, 1, -2, 0.99f, 2, 0.99f);
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.p1x, 0.0f);
    EXPECT_NEAR(c.p1y, 0.99f, TOL);
    EXPECT_EQ(c.p2x, 0.0f);
}

TEST(IntersectSegmentCircle, HugeOrUndefinedDiscriminantsStayDefined) {
    EXPECT_EQ(cutCircle(0, 0, 1e30f, -1e30f, 0, 1e30f, 0).status, 1);
    EXPECT_EQ(cutCircle(0, 0, 1, -1e30f, 1e30f, 1e30f, 1e30f).status, -1);
    EXPECT_EQ(cutCircle(0, 0, NAN, -1, 0, 1, 0).status, -1);
    EXPECT_EQ(cutCircle(0, 0, INFINITY, -1, 0, 1, 0).status, -1);  // saturated, then inside
}

TEST(IntersectSegmentArc, ArcThroughZero) {
    // Unit circle arc from 3pi/2 counter-clockwise to pi/2, through angle 0.
    int32_t st;
    float p1x, p1y, p2x, p2y;
    intersectSegmentArc(0, 0, 0, -1, 0, 1, 0, 0, 2, 0, st, p1x, p1y, p2x, p2y);
    EXPECT_EQ(st, 0);  // angle 0 lies on the arc
    EXPECT_NEAR(p1x, 1.0f, TOL);
    intersectSegmentArc(0, 0, 0, -1, 0, 1, -2, 0, 0, 0, st, p1x, p1y, p2x, p2y);
    EXPECT_EQ(st, -1);  // angle pi does not
    // The full chord meets the circle twice but the arc once, at angle 0.
    intersectSegmentArc(0, 0, 0, -1, 0, 1, -2, 0, 2, 0, st, p1x, p1y, p2x, p2y);
    EXPECT_EQ(st, 0);
    EXPECT_NEAR(p1x, 1.0f, TOL);
    EXPECT_NEAR(p2x, 1.0f, TOL);
    // Upper half arc (0 to pi) keeps both points of a horizontal chord.
    intersectSegmentArc(0, 0, 1, 0, -1, 0, -2, 0.5f, 2, 0.5f, st, p1x, p1y, p2x, p2y);
    EXPECT_EQ(st, 1);
}

TEST(TangentArcPLL, CircleThroughPointTouchingTwoLines) {
    float cx, cy, tx, ty;
    int32_t st = -1;
    tangentArcPLL(1, 0, 0, 0, 0, 1, 1, 2, cx, cy, tx, ty, st);
    EXPECT_EQ(st, 1);
    EXPECT_NEAR(cx, 1.0f, 1e-4f);
    EXPECT_NEAR(cy, 1.0f, 1e-4f);
    EXPECT_NEAR(tx, 1.0f, 1e-4f);
    EXPECT_NEAR(ty, 0.0f, 1e-4f);

    tangentArcPLL(0, 1, 0, 0, 1, 0, 2, 1, cx, cy, tx, ty, st);
    EXPECT_EQ(st, 1);
    EXPECT_NEAR(cx, 1.0f, 1e-4f);
    EXPECT_NEAR(cy, 1.0f, 1e-4f);
    EXPECT_NEAR(tx, 0.0f, 1e-4f);
    EXPECT_NEAR(ty, 1.0f, 1e-4f);

    tangentArcPLL(1, 1, 0, 0, 2, 2, 1, 2, cx, cy, tx, ty, st);
    EXPECT_EQ(st, 0);  // both lines in one direction
}

TEST(PerpendicularBisector, MidpointAndNormalEnd) {
    float mx, my, ex, ey;
    perpendicularBisector(0, 0, 2, 0, 10, mx, my, ex, ey);
    EXPECT_EQ(mx, 1.0f);
    EXPECT_EQ(my, 0.0f);
    EXPECT_NEAR(ex, 1.0f, 1e-4f);
    EXPECT_NEAR(ey, 10.0f, 1e-4f);
}

}  // namespace
}  // namespace bowlyn

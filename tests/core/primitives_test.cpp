#include "geometry/primitives.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bowlyn {
namespace {

constexpr float PI = PI_SINGLE;
constexpr float TOL = 1e-5f;

TEST(AngleTo, EachDirectionCase) {
    EXPECT_EQ(angleTo({0, 0}, {1, 0}), 0.0f);
    EXPECT_NEAR(angleTo({0, 0}, {1, 1}), PI / 4, TOL);
    EXPECT_EQ(angleTo({0, 0}, {0, 1}), static_cast<float>(0.5 * PI));
    EXPECT_NEAR(angleTo({0, 0}, {-1, 1}), 3 * PI / 4, TOL);
    EXPECT_EQ(angleTo({0, 0}, {-1, 0}), PI);
    EXPECT_NEAR(angleTo({0, 0}, {-1, -1}), 5 * PI / 4, TOL);
    EXPECT_EQ(angleTo({0, 0}, {0, -1}), static_cast<float>(1.5 * PI));
    EXPECT_NEAR(angleTo({0, 0}, {1, -1}), 2 * PI - PI / 4, TOL);
    EXPECT_EQ(angleTo({3, 4}, {3, 4}), -1.0f);
    // A direction just below +x stays below 2pi and never wraps to 0.
    const float a = angleTo({0, 0}, {1, -1e-6f});
    EXPECT_GT(a, 6.28f);
    EXPECT_LE(a, static_cast<float>(2.0 * PI));
}

TEST(CrossTangent, TransverseTangentOfSeparateCircles) {
    Segment t = crossTangent({{0, 0}, 1}, {{0, 4}, 1}, -1);
    EXPECT_NEAR(t.from.x, 0.8660254f, TOL);
    EXPECT_NEAR(t.from.y, 0.5f, TOL);
    EXPECT_NEAR(t.to.x, -0.8660254f, TOL);
    EXPECT_NEAR(t.to.y, 3.5f, TOL);
    // The segment has length t = sqrt(12).
    EXPECT_NEAR(distance(t.from, t.to), std::sqrt(12.0f), 1e-4f);

    t = crossTangent({{0, 0}, 1}, {{0, 4}, 1}, 1);
    EXPECT_NEAR(t.from.x, -0.8660254f, TOL);
    EXPECT_NEAR(t.from.y, 0.5f, TOL);
    EXPECT_NEAR(t.to.x, 0.8660254f, TOL);
    EXPECT_NEAR(t.to.y, 3.5f, TOL);
}

TEST(CrossTangent, TurnedPictureAndUnequalRadii) {
    // Second centre to the right of the first: the picture is turned by -pi/2.
    const Segment t = crossTangent({{1, 1}, 1}, {{6, 1}, 2}, -1);
    const float p1x = t.from.x, p1y = t.from.y, p2x = t.to.x, p2y = t.to.y;
    EXPECT_NEAR(distance({1, 1}, t.from), 1.0f, 1e-4f);
    EXPECT_NEAR(distance({6, 1}, t.to), 2.0f, 1e-4f);
    // Right of the direction of travel (+x) is below the line of centres.
    EXPECT_LT(p1y, 1.0f);
    EXPECT_GT(p2y, 1.0f);
    // The segment is perpendicular to both radii.
    const float ux = p2x - p1x, uy = p2y - p1y;
    EXPECT_NEAR(ux * (p1x - 1) + uy * (p1y - 1), 0.0f, 1e-3f);
    EXPECT_NEAR(ux * (p2x - 6) + uy * (p2y - 1), 0.0f, 1e-3f);
}

TEST(CrossTangent, TouchingCirclesGiveTheTouchingPointTwice) {
    const Segment t = crossTangent({{0, 0}, 1}, {{0, 3}, 2}, -1);
    EXPECT_NEAR(t.from.x, 0.0f, TOL);
    EXPECT_NEAR(t.from.y, 1.0f, TOL);
    EXPECT_NEAR(t.to.x, 0.0f, TOL);
    EXPECT_NEAR(t.to.y, 1.0f, TOL);
}

TEST(IntersectSegments, AllStatuses) {
    const Segment along = {{0, 0}, {1, 0}};
    Point at = {99, 99};
    EXPECT_EQ(intersectSegments(along, {{0.5f, -1}, {0.5f, 1}}, at), 2);
    EXPECT_EQ(at.x, 0.5f);
    EXPECT_EQ(at.y, 0.0f);

    EXPECT_EQ(intersectSegments(along, {{2, -1}, {2, 1}}, at), 3);
    EXPECT_EQ(at.x, 2.0f);
    EXPECT_EQ(at.y, 0.0f);

    at = {99, 99};
    EXPECT_EQ(intersectSegments(along, {{0, 1}, {1, 1}}, at), 0);
    EXPECT_EQ(at.x, 99.0f);  // no point written

    EXPECT_EQ(intersectSegments(along, {{2, 0}, {3, 0}}, at), 1);

    // Meeting exactly at an end counts as crossing.
    EXPECT_EQ(intersectSegments(along, {{1, -1}, {1, 1}}, at), 2);
    EXPECT_EQ(at.x, 1.0f);
}

struct CircleCut {
    int32_t status;
    float p1x, p1y, p2x, p2y;
};

CircleCut cutCircle(float cx, float cy, float r, float x1, float y1, float x2, float y2) {
    const CircleCrossing c = intersectSegmentCircle({{cx, cy}, r}, {{x1, y1}, {x2, y2}});
    return {c.status, c.first.x, c.first.y, c.second.x, c.second.y};
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
    const Point centre = {0, 0}, start = {0, -1}, end = {0, 1};
    CircleCrossing c = intersectSegmentArc(centre, start, end, {{0, 0}, {2, 0}});
    EXPECT_EQ(c.status, 0);  // angle 0 lies on the arc
    EXPECT_NEAR(c.first.x, 1.0f, TOL);
    c = intersectSegmentArc(centre, start, end, {{-2, 0}, {0, 0}});
    EXPECT_EQ(c.status, -1);  // angle pi does not
    // The full chord meets the circle twice but the arc once, at angle 0.
    c = intersectSegmentArc(centre, start, end, {{-2, 0}, {2, 0}});
    EXPECT_EQ(c.status, 0);
    EXPECT_NEAR(c.first.x, 1.0f, TOL);
    EXPECT_NEAR(c.second.x, 1.0f, TOL);
    // Upper half arc (0 to pi) keeps both points of a horizontal chord.
    c = intersectSegmentArc(centre, {1, 0}, {-1, 0}, {{-2, 0.5f}, {2, 0.5f}});
    EXPECT_EQ(c.status, 1);
}

TEST(TangentArcPLL, CircleThroughPointTouchingTwoLines) {
    TangentArc t = tangentArcPLL({1, 0}, {0, 0}, {0, 1}, {1, 2});
    EXPECT_TRUE(t.found);
    EXPECT_NEAR(t.centre.x, 1.0f, 1e-4f);
    EXPECT_NEAR(t.centre.y, 1.0f, 1e-4f);
    EXPECT_NEAR(t.touch.x, 1.0f, 1e-4f);
    EXPECT_NEAR(t.touch.y, 0.0f, 1e-4f);

    t = tangentArcPLL({0, 1}, {0, 0}, {1, 0}, {2, 1});
    EXPECT_TRUE(t.found);
    EXPECT_NEAR(t.centre.x, 1.0f, 1e-4f);
    EXPECT_NEAR(t.centre.y, 1.0f, 1e-4f);
    EXPECT_NEAR(t.touch.x, 0.0f, 1e-4f);
    EXPECT_NEAR(t.touch.y, 1.0f, 1e-4f);

    EXPECT_FALSE(tangentArcPLL({1, 1}, {0, 0}, {2, 2}, {1, 2}).found);  // one direction
}

TEST(PerpendicularBisector, MidpointAndNormalEnd) {
    const Segment b = perpendicularBisector({{0, 0}, {2, 0}}, 10);
    EXPECT_EQ(b.from.x, 1.0f);
    EXPECT_EQ(b.from.y, 0.0f);
    EXPECT_NEAR(b.to.x, 1.0f, 1e-4f);
    EXPECT_NEAR(b.to.y, 10.0f, 1e-4f);
}

}  // namespace
}  // namespace bowlyn

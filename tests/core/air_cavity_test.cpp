// The body as a box of air: volumes of test bodies with closed forms, every
// preset against a fine polygon, flat arcs without cancellation, and the
// Helmholtz estimate against a calculation by hand.
#include "derive/air_cavity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "derive/measurements.h"
#include "export_test_support.h"

namespace bowlyn {
namespace {

using testing::circleBody;
using testing::closedBody;
using testing::expectRelative;
using testing::presetAfterPass;
using testing::rectangleBody;
using testing::solvedOrFail;
using testing::TEST_PI;

TEST(AirCavity, TestBodiesHoldTheirClosedFormVolumes) {
    // A 7 by 11 box: area times depth, and the mean depth when it tapers.
    const Contour box = closedBody(rectangleBody(3.5f, 11.0f));
    EXPECT_DOUBLE_EQ(airVolume(box, {4.0, 4.0, 11.0}), 7.0 * 11.0 * 4.0);
    EXPECT_DOUBLE_EQ(airVolume(box, {4.0, 3.0, 11.0}), 7.0 * 11.0 * 3.5);
    // A neck deeper than the tail is allowed.
    EXPECT_DOUBLE_EQ(airVolume(box, {3.0, 4.5, 11.0}), 7.0 * 11.0 * 3.75);

    // A circle of radius R round (0, R): its centroid lies at half its
    // length, so the volume is the area times the mean of the depths. Its
    // solved angles are singles, hence 1e-6.
    const double R = 7.25;
    const Contour circle = closedBody(circleBody(static_cast<float>(R)));
    expectRelative(airVolume(circle, {4.0, 3.25, 2.0 * R}), TEST_PI * R * R * 3.625, 1e-6,
                   "circle body");

    // A half disc above y = 2: the moment 2 r^3 / 3 of a half disc about
    // its diameter, plus its area times 2.
    Contour half;
    half.edges = {{3.0, 2.0, TEST_PI}, {-3.0, 2.0, 0.0}};
    expectRelative(contourFirstMoment(half), 2.0 * 27.0 / 3.0 + 2.0 * TEST_PI * 9.0 / 2.0, 1e-14,
                   "half disc moment");
}

TEST(AirCavity, AFlatArcOfAHugeRadiusAddsItsTinySegmentExactly) {
    // A unit square whose bottom edge bulges down by an arc of a tiny sweep
    // s: the segment adds s / 12 to the area (to s^3) and, with its centroid
    // 2/5 of the sagitta s / 8 below the edge, about -s^2 / 240 to the
    // moment (the next terms are below 1e-16). Without care both vanish in
    // cancellation.
    for (double s : {1e-5, 1e-7, 1e-9}) {
        Contour square;
        square.edges = {{0.0, 0.0, s}, {1.0, 0.0, 0.0}, {1.0, 1.0, 0.0}, {0.0, 1.0, 0.0}};
        EXPECT_NEAR(contourArea(square), 1.0 + s / 12.0, 1e-15) << s;
        EXPECT_NEAR(contourFirstMoment(square), 0.5 - s * s / 240.0, 1e-15) << s;
    }
}

// The volume of every preset with the tail 4 and the neck 3.25 inches deep
// against the same integral over a polygon of 4000 points on each arc.
TEST(AirCavity, EveryPresetMatchesAFinePolygon) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        const ContourSet set = closedContours(solved);
        ASSERT_EQ(set.problem, "");
        const Contour& body = *set.find("body");
        const double inch = solved.units == UNITS_CM ? 2.54 : 1.0;
        const BodyDepth depth{4.0 * inch, 3.25 * inch, t->design.params.bodyLength};
        const testing::Polygon polygon = testing::polygonOf(body, 4000);
        const double expected = depth.tail * polygon.area() +
                                (depth.neck - depth.tail) / depth.length * polygon.moment();
        const double volume = airVolume(body, depth);
        expectRelative(volume, expected, 1e-6, "volume");
        // A guitar holds some 10 to 25 litres, a ukulele 2 to 5.
        const double l = litres(volume, designUnit(solved.units));
        EXPECT_GT(l, 1.5);
        EXPECT_LT(l, 30.0);
    }
}

TEST(AirCavity, HelmholtzResonanceAsCalculatedByHand) {
    // 1000 cubic inches (16.387064 litres) with a 4 inch hole through a top
    // 0.11 inch thick, by hand in metres: A = pi * 0.0508^2 =
    // 0.0081073197 m^2, V = 0.016387064 m^3, L' = (0.11 + 1.7 * 2) * 0.0254
    // = 0.089154 m, f = 343 / (2 pi) * sqrt(A / (V L')) = 128.5973 Hz.
    EXPECT_DOUBLE_EQ(litres(1000.0, LengthUnit::Inch), 16.387064);
    EXPECT_NEAR(*helmholtzResonance(2.0, 0.11, 1000.0, LengthUnit::Inch), 128.59732, 1e-4);
    // Without a top thickness the end correction alone: 130.6610 Hz.
    EXPECT_NEAR(*helmholtzResonance(2.0, 0.0, 1000.0, LengthUnit::Inch), 130.66101, 1e-4);
    // The same box in centimetres: 12.5 litres, a 10 cm hole, a 3 mm top:
    // L' = 0.003 + 0.085 m, f = 145.8689 Hz.
    EXPECT_DOUBLE_EQ(litres(12500.0, LengthUnit::Centimetre), 12.5);
    EXPECT_NEAR(*helmholtzResonance(5.0, 0.3, 12500.0, LengthUnit::Centimetre), 145.86895, 1e-4);
    EXPECT_NEAR(*helmholtzResonance(50.0, 3.0, 12.5e6, LengthUnit::Millimetre), 145.86895, 1e-4);

    // Nothing to estimate without a hole, a volume or a sound thickness.
    EXPECT_FALSE(helmholtzResonance(0.0, 0.11, 1000.0, LengthUnit::Inch));
    EXPECT_FALSE(helmholtzResonance(2.0, 0.11, 0.0, LengthUnit::Inch));
    EXPECT_FALSE(helmholtzResonance(2.0, -0.1, 1000.0, LengthUnit::Inch));
    EXPECT_FALSE(helmholtzResonance(2.0, NAN, 1000.0, LengthUnit::Inch));
    EXPECT_FALSE(helmholtzResonance(2.0, 0.11, INFINITY, LengthUnit::Inch));
}

}  // namespace
}  // namespace bowlyn

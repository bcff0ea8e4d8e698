// Side strips: as long as their side of the outline, as tall as the depth at
// both ends and, on test bodies with closed forms, all along; ticks where
// they belong.
#include "derive/side_strips.h"

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

void expectEndsAtTheDepths(const SideStrip& strip, const BodyDepth& depth) {
    const std::vector<ContourEdge>& e = strip.outline.edges;
    ASSERT_GE(e.size(), 4u);
    // Bottom edge from the tail end on y = 0, the neck end, the top, the tail end.
    EXPECT_EQ(e[0].x, 0.0);
    EXPECT_EQ(e[0].y, 0.0);
    EXPECT_EQ(e[1].x, strip.length);
    EXPECT_EQ(e[1].y, 0.0);
    EXPECT_EQ(e[2].x, strip.length);
    EXPECT_EQ(e[2].y, depth.neck);
    EXPECT_EQ(e.back().x, 0.0);
    EXPECT_EQ(e.back().y, depth.tail);
    for (const ContourEdge& v : e) {
        EXPECT_EQ(v.sweep, 0.0);
        EXPECT_LE(v.y, std::max(depth.tail, depth.neck));
    }
    EXPECT_GT(contourArea(strip.outline), 0.0);
}

TEST(SideStrips, EveryPresetsStripsAreAsLongAsTheirSidesAndEndAtTheDepths) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        const ContourSet set = closedContours(solved);
        const Contour& body = *set.find("body");
        const LengthUnit unit = designUnit(solved.units);
        const double inch = solved.units == UNITS_CM ? 2.54 : 1.0;
        const BodyDepth depth{4.0 * inch, 3.25 * inch, t->design.params.bodyLength};
        const bool cutaway = solved.body.hasCutaway;
        const SideStripsResult result = sideStrips(body, depth, cutaway, unit);
        ASSERT_EQ(result.problem, "");
        ASSERT_EQ(result.strips.size(), cutaway ? 2u : 1u);

        // Both sides make the whole outline; a body without a cutaway is
        // symmetric, and the other side of one with a cutaway is the plain
        // half of the same design.
        const SideStrip& first = result.strips.front();
        const SideStrip& other = result.strips.back();
        expectRelative(first.length + (cutaway ? other.length : first.length),
                       contourPerimeter(body), 1e-12, "both sides");
        if (cutaway) {
            t->design.params.hasCutaway = 0;
            t->session.runPass();
            const ContourSet plain = closedContours(solvedOrFail(*t));
            expectRelative(other.length, contourPerimeter(*plain.find("body")) / 2.0, 1e-9,
                           "the plain side");
        }
        for (const SideStrip& strip : result.strips) {
            SCOPED_TRACE(strip.name);
            expectEndsAtTheDepths(strip, depth);
            EXPECT_EQ(strip.outline.layer, Layer::Sides);
            // A tick and its distance at every whole inch or 2 cm inside.
            const double step = solved.units == UNITS_CM ? 2.0 : 1.0;
            const size_t ticks = static_cast<size_t>(std::ceil(strip.length / step)) - 1;
            ASSERT_EQ(strip.ticks.size(), ticks);
            EXPECT_EQ(strip.ticks.back().x1, ticks * step);
            EXPECT_EQ(strip.texts[ticks - 1].text, std::to_string(static_cast<int>(ticks * step)));
        }
    }
}

// The height at each point of the top edge against the body's depth where
// the side's point at that distance lies: on a circle of radius R round
// (0, R) the side at distance s from the tail lies at y = R (1 - cos(s / R)).
TEST(SideStrips, TheTopFollowsTheDepthAlongACurvedSide) {
    const double R = 7.25;
    const Contour circle = closedBody(circleBody(static_cast<float>(R)));
    const BodyDepth depth{4.0, 3.0, 2.0 * R};
    const SideStripsResult result = sideStrips(circle, depth, false, LengthUnit::Inch);
    ASSERT_EQ(result.problem, "");
    const SideStrip& strip = result.strips.front();
    expectRelative(strip.length, TEST_PI * R, 1e-6, "half the circle");
    expectEndsAtTheDepths(strip, depth);
    const auto height = [&](double s) { return depth.at(R * (1.0 - std::cos(s / R))); };
    const std::vector<ContourEdge>& e = strip.outline.edges;
    // The solved circle's single-precision angles leave its points 1e-6 off.
    for (size_t i = 2; i + 1 < e.size(); ++i) {
        EXPECT_NEAR(e[i].y, height(e[i].x), 1e-6 * R) << e[i].x;
        // Between its points the polyline keeps within its tolerance of the
        // body's length (2R) of the curve, where it strays most.
        const double s = (e[i].x + e[i + 1].x) / 2.0;
        EXPECT_NEAR((e[i].y + e[i + 1].y) / 2.0, height(s),
                    STRIP_TOP_TOLERANCE * 2.0 * R + 1e-6 * R)
            << s;
    }
    EXPECT_GT(e.size(), 20u);

    // A box 7 wide and 11 long: half its tail, its side and half its neck.
    const Contour box = closedBody(rectangleBody(3.5f, 11.0f));
    const SideStrip side =
        sideStrip(bodySides(box).left, {4.0, 3.0, 11.0}, LengthUnit::Millimetre, "box");
    EXPECT_EQ(side.length, 3.5 + 11.0 + 3.5);
    const std::vector<ContourEdge> expected = {{0.0, 0.0},  {18.0, 0.0}, {18.0, 3.0},
                                               {14.5, 3.0}, {3.5, 4.0},  {0.0, 4.0}};
    ASSERT_EQ(side.outline.edges.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(side.outline.edges[i].x, expected[i].x) << i;
        EXPECT_EQ(side.outline.edges[i].y, expected[i].y) << i;
    }
    // In millimetres no tick fits on 18 of them; 20 mm apart they would.
    EXPECT_TRUE(side.ticks.empty());
}

TEST(SideStrips, AnOutlineThatMissesTheCentreLineHasNoSides) {
    Contour off;
    off.edges = {{1.0, 0.0, 0.0}, {3.0, 0.0, 0.0}, {3.0, 2.0, 0.0}, {1.0, 2.0, 0.0}};
    EXPECT_EQ(sideStrips(off, {4.0, 3.0, 2.0}, false, LengthUnit::Inch).problem,
              "The body outline does not cross its centre line at the tail and the neck.");
}

}  // namespace
}  // namespace bowlyn

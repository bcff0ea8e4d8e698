// The mould's outline: every point of it at the distance from the body,
// closed, as long and as large as Steiner's formula says where the outline
// has no inward corner; inward curves tighter than the distance refused by
// name.
#include "derive/mould.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "derive/measurements.h"
#include "export_test_support.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

using testing::expectRelative;
using testing::presetAfterPass;
using testing::solvedOrFail;
using testing::TEST_PI;

// The nearest distance from (x, y) to the body: to the nearest of its edges.
double distanceToBody(const Contour& body, double x, double y) {
    double nearest = INFINITY;
    for (size_t i = 0; i < body.edges.size(); ++i) {
        const ContourEdge& a = body.edges[i];
        const EdgeArc arc = a.sweep == 0.0 ? EdgeArc{} : edgeArc(a, body.next(i));
        nearest = std::min(nearest, distanceToEdge(a, body.next(i), arc, x, y));
    }
    return nearest;
}

// Points along every edge of the loop from its own circles, and whether each
// edge's computed end meets the next edge's start.
void expectAtDistanceAndClosed(const Contour& body, const Contour& mould, double d,
                               int samples = 50) {
    ASSERT_GE(mould.edges.size(), body.edges.size());
    for (size_t i = 0; i < mould.edges.size(); ++i) {
        const ContourEdge& a = mould.edges[i];
        const ContourEdge& b = mould.next(i);
        const EdgeArc arc = a.sweep == 0.0 ? EdgeArc{} : edgeArc(a, b);
        for (int k = 0; k <= samples; ++k) {
            const double f = static_cast<double>(k) / samples;
            double x = a.x + f * (b.x - a.x), y = a.y + f * (b.y - a.y);
            if (a.sweep != 0.0) {
                x = arc.cx + arc.r * std::cos(arc.start + f * a.sweep);
                y = arc.cy + arc.r * std::sin(arc.start + f * a.sweep);
            }
            ASSERT_NEAR(distanceToBody(body, x, y), d, 1e-9)
                << "edge " << i << " (" << a.name << ") at " << f;
            if (k == samples) {
                EXPECT_NEAR(x, b.x, 1e-12);
                EXPECT_NEAR(y, b.y, 1e-12);
            }
        }
    }
}

TEST(Mould, EveryPresetsMouldKeepsItsDistanceAllRound) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        const ContourSet set = closedContours(solved);
        const Contour& body = *set.find("body");
        const LengthUnit unit = designUnit(solved.units);
        // 20 mm and 3/4 inch, in the design's unit.
        for (double mm : {20.0, 19.05}) {
            const double d = UnitScale(LengthUnit::Millimetre, unit)(mm);
            const MouldResult mould = mouldLoop(body, d, unit);
            ASSERT_EQ(mould.problem, "");
            EXPECT_EQ(mould.loop.layer, Layer::Mould);
            expectAtDistanceAndClosed(body, mould.loop, d);
            // Without an inward corner every outward corner adds an arc of
            // its turn, so the loop's length grows by 2 pi d in all and its
            // area by the perimeter times d and pi d^2 (Steiner's formula);
            // the cutaway's inward corners are turns of a few 1e-5 only.
            const double p = contourPerimeter(body), a = contourArea(body);
            expectRelative(contourPerimeter(mould.loop), p + 2.0 * TEST_PI * d, 1e-9, "length");
            expectRelative(contourArea(mould.loop), a + p * d + TEST_PI * d * d, 1e-9, "area");
        }
    }
}

TEST(Mould, InwardCornersMeetWhereBothOffsetsCrossAndNarrowMouthsAreRefused) {
    // An L of unit squares: its one inward corner at (1, 1).
    Contour l;
    l.edges = {{0, 0, 0, "bottom"}, {2, 0, 0, "right"}, {2, 1, 0, "step"},
               {1, 1, 0, "inner"},  {1, 2, 0, "top"},   {0, 2, 0, "left"}};
    const double d = 0.25;
    const MouldResult mould = mouldLoop(l, d, LengthUnit::Inch);
    ASSERT_EQ(mould.problem, "");
    expectAtDistanceAndClosed(l, mould.loop, d);
    // Five round corners and six sides, the inner two meeting at (1.25, 1.25).
    EXPECT_EQ(mould.loop.edges.size(), 11u);
    bool inner = false;
    for (const ContourEdge& e : mould.loop.edges)
        inner = inner || (std::fabs(e.x - 1.25) < 1e-15 && std::fabs(e.y - 1.25) < 1e-15);
    EXPECT_TRUE(inner);
    // Five quarter circles round the outward corners; the inward one takes
    // d off each of its sides.
    expectRelative(contourPerimeter(mould.loop), 8.0 - 2.0 * d + 2.5 * TEST_PI * d, 1e-14,
                   "length");
    // A side shorter than the distance its inward corner takes off it is
    // refused: the local construction cannot make that mould.
    EXPECT_EQ(mouldLoop(l, 0.75, LengthUnit::Inch).problem, "");
    l.edges[1].x = 1.2;  // the step is now 0.2 long
    l.edges[2].x = 1.2;
    EXPECT_EQ(mouldLoop(l, 0.75, LengthUnit::Inch).problem,
              "The mould cannot be drawn 0.75 in outside the body: the step is too short for that "
              "distance.");

    // A cavity whose mouth is narrower than twice the distance: the round
    // corners at the mouth would reach across it.
    Contour cavity;
    cavity.edges = {{0, 0, 0, "bottom"},       {4, 0, 0, "right"}, {4, 3, 0, "right top"},
                    {2.2, 3, 0, "right wall"}, {3, 1, 0, "floor"}, {1, 1, 0, "left wall"},
                    {1.8, 3, 0, "left top"},   {0, 3, 0, "left"}};
    ASSERT_GT(contourArea(cavity), 0.0);
    expectAtDistanceAndClosed(cavity, mouldLoop(cavity, 0.15, LengthUnit::Inch).loop, 0.15);
    const std::string problem = mouldLoop(cavity, 0.3, LengthUnit::Inch).problem;
    EXPECT_EQ(
        problem.rfind("The mould cannot be drawn 0.3 in outside the body: it would come closer "
                      "than that to the left ",
                      0),
        0u)
        << problem;
}

TEST(Mould, AnInwardCurveTighterThanTheDistanceIsRefusedByName) {
    auto t = presetAfterPass(presetByName("OM"));
    const ContourSet set = closedContours(solvedOrFail(*t));
    const Contour& body = *set.find("body");
    // The OM's waist has a radius of 2.36 inches.
    EXPECT_EQ(mouldLoop(body, 2.5, LengthUnit::Inch).problem,
              "The mould cannot be drawn 2.5 in outside the body: the waist arc curves inwards "
              "with a radius of only 2.36 in.");
    EXPECT_EQ(mouldLoop(body, 2.3, LengthUnit::Inch).problem, "");
    for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)})
        EXPECT_EQ(mouldLoop(body, bad, LengthUnit::Inch).problem,
                  "The mould's distance from the body must be a number greater than 0.");
}

// Designs near the cutaway presets at random distances: a mould is either
// exact all round or refused with a message, never wrong.
TEST(Mould, RandomCutawayDesignsGiveAnExactMouldOrARefusal) {
    std::mt19937 rng(test::randomTestSeed());
    std::uniform_real_distribution<float> factor(0.9f, 1.1f);
    std::uniform_real_distribution<double> distance(0.05, 1.5);
    const int presets[] = {presetByName("Archtop 16'' w/ Venetian cutaway"),
                           presetByName("Steel string 15'' w/ Florentine cutaway"),
                           presetByName("ABG 18'' w/ Venetian cutaway")};
    int exact = 0, complete = 0;
    for (int i = 0; i < 150; ++i) {
        auto t = std::make_unique<testing::TestDocument>();
        loadTexts(t->design, presetTexts(presets[i % 3]));
        DesignParameters& p = t->design.params;
        for (float* v : {&p.cutawaySideOffset, &p.cutawayDepth, &p.cutawayWidth,
                         &p.cutawayValleyRadius, &p.cutawayPointRadius})
            *v *= factor(rng);
        t->session.mode = DrawingMode::Final;
        t->session.runPass();
        std::optional<SolvedDesign> solved = solvedDesign(t->last(), t->design);
        if (!solved)
            continue;
        const ContourSet set = closedContours(*solved);
        if (!set.problem.empty())
            continue;
        ++complete;
        const double d = distance(rng);
        SCOPED_TRACE("design " + std::to_string(i) + ", distance " + std::to_string(d));
        const MouldResult mould = mouldLoop(*set.find("body"), d, LengthUnit::Inch);
        if (!mould.problem.empty()) {
            EXPECT_EQ(mould.problem.rfind("The mould cannot be drawn ", 0), 0u) << mould.problem;

            continue;
        }
        ++exact;
        expectAtDistanceAndClosed(*set.find("body"), mould.loop, d, 20);
    }
    EXPECT_GT(exact, complete / 2);
    EXPECT_GT(complete, 30);
}

}  // namespace
}  // namespace bowlyn

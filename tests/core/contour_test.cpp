// Closed contours and their measurements: every preset closes into one loop
// whose exact measurements agree with a fine polygon of the solved arcs; test
// bodies with closed forms; pieces that miss or double back are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "derive/measurements.h"
#include "derive/outline_contours.h"
#include "export_test_support.h"
#include "formats/export_drawing.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

using testing::circleBody;
using testing::closedBody;
using testing::expectRelative;
using testing::Polygon;
using testing::polygonOf;
using testing::presetAfterPass;
using testing::rectangleBody;
using testing::solvedOrFail;

constexpr double PI = CIRCLE_RADIANS / 2.0;

// How far the solved pieces miss each other in all: the most by which the
// closed loop can differ from them in length.
double totalGap(const std::vector<ContourPiece>& pieces) {
    double total = 0.0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const ContourPiece& next = pieces[(i + 1) % pieces.size()];
        total += std::hypot(next.x1 - pieces[i].x2, next.y1 - pieces[i].y2);
    }
    return total;
}

// Measurements against polygons: of the closed loop within 1e-6, and of the
// solved pieces within what closing their gaps may change.
void expectMeasuredAsPolygons(const SolvedDesign& solved, const Contour& body, int steps) {
    const MeasureResult m = measureDesign(solved, std::nullopt);
    ASSERT_EQ(m.problem, "");
    const Polygon loop = polygonOf(body, steps);
    expectRelative(m.values.perimeter, loop.perimeter(), 1e-6, "perimeter");
    expectRelative(m.values.area, loop.area(), 1e-6, "area");
    const Bounds b = loop.bounds();
    expectRelative(m.values.length, b.height(), 1e-6, "length");
    expectRelative(m.values.width, b.width(), 1e-6, "width");

    const std::vector<ContourPiece> pieces = bodyPieces(solved.body);
    const Polygon solvedPieces = polygonOf(pieces, steps);
    const double gaps = totalGap(pieces);
    EXPECT_NEAR(m.values.perimeter, solvedPieces.perimeter(), 1e-6 * m.values.perimeter + 2 * gaps);
    EXPECT_NEAR(m.values.area, solvedPieces.area(), 1e-6 * m.values.area + gaps * b.reach());
}

TEST(Contours, EveryPresetClosesAndMeasuresAsAFinePolygonOfItsSolvedArcs) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        const ContourSet set = closedContours(solved);
        ASSERT_EQ(set.problem, "");
        const Contour* body = set.find("body");
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(set.find("fretboard") != nullptr, solved.hasFretboard);

        expectMeasuredAsPolygons(solved, *body, 4000);
        const Bounds b = contourBounds(*body);
        // The body reaches the tail and the neck end exactly.
        EXPECT_NEAR(b.minY, 0.0, 1e-6);
        EXPECT_NEAR(b.maxY, t->design.params.bodyLength, 1e-6);

        const MeasureResult m = measureDesign(solved, std::nullopt);
        if (solved.hasFretboard) {
            const FretboardTop& f = solved.fretboard;
            const double trapezoid =
                (double(f.trebleHead.x) + f.trebleEnd.x) * (double(f.trebleHead.y) - f.trebleEnd.y);
            expectRelative(m.values.fretboardArea, trapezoid, 1e-12, "fretboard area");
        }
    }
}

TEST(Contours, TestBodiesMeasureTheirClosedForms) {
    // A circle of three arcs, joined exactly.
    const double R = 7.25;
    Contour exact;
    for (int k = 0; k < 3; ++k) {
        const double a = k * CIRCLE_RADIANS / 3.0;
        exact.edges.push_back({R * std::cos(a), R + R * std::sin(a), CIRCLE_RADIANS / 3.0});
    }
    expectRelative(contourPerimeter(exact), 2.0 * PI * R, 1e-14, "circle perimeter");
    expectRelative(contourArea(exact), PI * R * R, 1e-14, "circle area");
    const Bounds e = contourBounds(exact);
    expectRelative(e.width(), 2.0 * R, 1e-14, "circle width");
    expectRelative(e.height(), 2.0 * R, 1e-14, "circle length");

    // The same circle as a solved body: its angles are singles, so the two
    // halves meet at the neck end a few 1e-7 apart.
    const Contour circle = closedBody(circleBody(static_cast<float>(R)));
    expectRelative(contourPerimeter(circle), 2.0 * PI * R, 1e-6, "circle body perimeter");
    expectRelative(contourArea(circle), PI * R * R, 1e-6, "circle body area");
    // Arcs on one circle become a few edges, all of them arcs.
    EXPECT_LT(circle.edges.size(), 8u);
    for (const ContourEdge& edge : circle.edges)
        EXPECT_GT(edge.sweep, 0.0);

    const Contour box = closedBody(rectangleBody(3.5f, 11.0f));
    EXPECT_EQ(box.edges.size(), 4u);  // the halves of each side are one line
    EXPECT_DOUBLE_EQ(contourPerimeter(box), 2.0 * (7.0 + 11.0));
    EXPECT_DOUBLE_EQ(contourArea(box), 7.0 * 11.0);
    const Bounds b = contourBounds(box);
    EXPECT_DOUBLE_EQ(b.width(), 7.0);
    EXPECT_DOUBLE_EQ(b.height(), 11.0);
}

TEST(Contours, PiecesThatMissEachOtherAreRefusedNeverBridged) {
    auto t = presetAfterPass(presetByName("OM"));
    OutlineRecord r = solvedOrFail(*t).body;
    const float x2 = r.outline.lowerTangent.x2;

    r.outline.lowerTangent.x2 = x2 + 0.0011f;
    LoopResult loop = closeLoop("body", Layer::Body, bodyPieces(r));
    EXPECT_EQ(loop.problem,
              "The body outline does not close: the lower tangent ends 0.0011 away from where the "
              "waist arc begins.");
    EXPECT_TRUE(loop.contour.edges.empty() || !loop.problem.empty());

    // Within the limit the two ends share their midpoint.
    r.outline.lowerTangent.x2 = x2 + 0.0008f;
    loop = closeLoop("body", Layer::Body, bodyPieces(r));
    ASSERT_EQ(loop.problem, "");
    bool shared = false;
    for (const ContourEdge& e : loop.contour.edges)
        shared = shared || std::fabs(e.x - (x2 + 0.0004)) < 1e-5;
    EXPECT_TRUE(shared);
}

TEST(Contours, PiecesThatDoNotRunOnceAroundAreRefused) {
    // Four half circles whose ends all meet: twice round the circle.
    std::vector<ContourPiece> twice;
    for (int k = 0; k < 4; ++k) {
        ContourPiece p;
        p.name = "half circle";
        p.x1 = k % 2 == 0 ? 1.0 : -1.0;
        p.x2 = -p.x1;
        p.sweep = PI;
        p.r = 1.0;
        twice.push_back(p);
    }
    EXPECT_EQ(closeLoop("test", Layer::Body, twice).problem,
              "The test outline does not run once around: its pieces cross or double back.");
    twice.resize(2);
    EXPECT_EQ(closeLoop("test", Layer::Body, twice).problem, "");

    // A clockwise loop is turned round.
    const LoopResult clockwise = closeLoop("test", Layer::Body, {twice[1], twice[0]});
    ASSERT_EQ(clockwise.problem, "");
    EXPECT_GT(contourArea(clockwise.contour), 0.0);
}

TEST(Contours, ADrawnBodyPieceOffTheLoopIsRefused) {
    auto t = presetAfterPass(presetByName("Dreadnought"));
    SolvedDesign solved = solvedOrFail(*t);
    StrokeList strokes = *solved.strokes;
    Stroke across;  // a line across the body
    across.layer = Layer::Body;
    const double v[] = {0.0, 5.0, 1.0, 5.0};
    std::copy(std::begin(v), std::end(v), across.v);
    strokes.push_back(across);
    solved.strokes = &strokes;
    EXPECT_EQ(exportDrawing(solved, std::nullopt).problem,
              "The body outline does not close: a piece of the drawn outline lies off its closed "
              "loop.");
}

// How far the recorded body outline's ends miss each other: for every end
// of a line or arc on the body layer, the distance to the nearest end of
// another one, and the largest of those.
double recordedMiss(const StrokeList& strokes) {
    std::vector<std::pair<double, double>> ends;
    for (const Stroke& e : recordedStrokes(strokes)) {
        if (e.layer != Layer::Body || (e.kind != StrokeKind::Line && e.kind != StrokeKind::Arc))
            continue;
        if (e.kind == StrokeKind::Line) {
            ends.emplace_back(e.v[0], e.v[1]);
            ends.emplace_back(e.v[2], e.v[3]);
        } else {
            for (int k : {3, 4}) {
                const double a = recordedValue(e, k) * PI / 180.0;
                ends.emplace_back(e.v[0] + e.v[2] * std::cos(a), e.v[1] + e.v[2] * std::sin(a));
            }
        }
    }
    double worst = 0.0;
    for (size_t i = 0; i < ends.size(); ++i) {
        double nearest = INFINITY;
        for (size_t j = 0; j < ends.size(); ++j) {
            if (j / 2 != i / 2)
                nearest = std::min(nearest, std::hypot(ends[j].first - ends[i].first,
                                                       ends[j].second - ends[i].second));
        }
        worst = std::max(worst, nearest);
    }
    return worst;
}

// How far a point lies from the line or the circle a piece runs on.
double offCarrier(const ContourPiece& p, double x, double y) {
    if (p.sweep != 0.0)
        return std::fabs(std::hypot(x - p.cx, y - p.cy) - p.r);
    const double dx = p.x2 - p.x1, dy = p.y2 - p.y1;
    return std::fabs((x - p.x1) * dy - (y - p.y1) * dx) / std::hypot(dx, dy);
}

// Exports the design, measuring as its polygons do; where its recorded
// outline misses by more than a loop bridges, checks that the loop meets the
// two pieces where they truly cross and says so. 1 when it was joined.
int expectExportedAndJoinedWhereTheyMiss(const SolvedDesign& solved) {
    const ExportDrawingResult drawing = exportDrawing(solved, std::nullopt);
    EXPECT_EQ(drawing.problem, "");
    if (!drawing.problem.empty())
        return 0;
    expectMeasuredAsPolygons(solved, drawing.drawing.loops.front(), 2000);
    if (recordedMiss(*solved.strokes) < 0.9 * CONTOUR_GAP_LIMIT) {
        EXPECT_EQ(drawing.notice, "");
        return 0;
    }
    EXPECT_EQ(drawing.notice.rfind("Joined the ", 0), 0u) << drawing.notice;
    const std::vector<ContourPiece> before = bodyPieces(solved.body);
    std::string notice;
    const std::vector<ContourPiece> after = joinedBodyPieces(solved.body, notice);
    EXPECT_EQ(notice, drawing.notice);
    for (size_t k = 0; k + 1 < before.size(); ++k) {
        const double gap =
            std::hypot(before[k + 1].x1 - before[k].x2, before[k + 1].y1 - before[k].y2);
        if (gap <= CONTOUR_GAP_LIMIT)
            continue;
        const double x = after[k].x2, y = after[k].y2;
        EXPECT_NEAR(x, after[k + 1].x1, 1e-9);
        EXPECT_NEAR(y, after[k + 1].y1, 1e-9);
        EXPECT_LT(offCarrier(before[k], x, y), 1e-9) << before[k].name;
        EXPECT_LT(offCarrier(before[k + 1], x, y), 1e-9) << before[k + 1].name;
    }
    return 1;
}

// Designs around the presets, as a user's edits make them. Whatever a pass
// completes exports, measuring as its polygons do. The cutaway's meeting
// points are found in single precision and can miss the outline by more
// than a loop bridges: the loop then meets them where they truly cross,
// on both of the solved pieces' own line or circle, and says so.
TEST(Contours, EveryCompletePassNearThePresetsExports) {
    std::mt19937 rng(test::randomTestSeed());
    std::uniform_real_distribution<float> factor(0.85f, 1.15f);
    std::uniform_int_distribution<int> preset(1, PRESET_COUNT);
    int complete = 0, joined = 0;
    for (int i = 0; i < 600; ++i) {
        auto t = std::make_unique<testing::TestDocument>();
        loadTexts(t->design, presetTexts(preset(rng)));
        DesignParameters& p = t->design.params;
        for (float* v :
             {&p.lowerBoutRadius, &p.lowerBoutOffset, &p.lowerBoutRadiusIncrement,
              &p.upperBoutHalfWidth, &p.upperBoutRadius, &p.upperBoutOffset,
              &p.upperBoutRadiusIncrement, &p.waistHalfWidth, &p.waistRadius, &p.waistOffset,
              &p.neckFlatHalfLength, &p.cutawaySideOffset, &p.cutawayDepth, &p.cutawayWidth,
              &p.cutawayValleyRadius, &p.cutawayPointRadius}) {
            *v *= factor(rng);
        }
        t->session.mode = DrawingMode::Final;
        t->session.runPass();
        std::optional<SolvedDesign> solved = solvedDesign(t->last(), t->design);
        if (!solved)
            continue;
        ++complete;
        SCOPED_TRACE("design " + std::to_string(i) + " from " + t->design.text(fields::NAME));
        joined += expectExportedAndJoinedWhereTheyMiss(*solved);
    }
    EXPECT_GT(complete, 60);
    EXPECT_LT(joined, complete / 10);
}

// A Florentine cutaway whose inner edge meets the shoulder arc nearly along
// it: the single-precision meeting point lies 0.0105 off the arc.
TEST(Contours, ACutawayThatMissesTheOutlineIsJoinedWhereTheyCross) {
    auto t = std::make_unique<testing::TestDocument>();
    loadTexts(t->design, presetTexts(presetRows::SteelString));
    for (const auto& [field, text] : std::initializer_list<std::pair<int, const char*>>{
             {fields::BODY_LENGTH, "18.9651"},
             {fields::LOWER_BOUT_WIDTH, "16.5766"},
             {fields::NECK_FLAT_LENGTH, "2.59566"},
             {fields::SCALE_LENGTH, "25.5251"},
             {fields::LOWER_BOUT_RADIUS, "5.30477"},
             {fields::LOWER_BOUT_OFFSET, "0.356338"},
             {fields::UPPER_BOUT_WIDTH, "10.9863"},
             {fields::UPPER_BOUT_RADIUS, "2.36881"},
             {fields::UPPER_BOUT_OFFSET, "0.573545"},
             {fields::WAIST_WIDTH, "10.1871"},
             {fields::WAIST_RADIUS, "1.89357"},
             {fields::WAIST_OFFSET, "12.7651"},
             {fields::CUTAWAY_SIDE_OFFSET, "0.279205"},
             {fields::CUTAWAY_DEPTH, "2.06925"},
             {fields::CUTAWAY_WIDTH, "3.21138"},
             {fields::NUT_WIDTH, "1.64357"},
             {fields::BRIDGE_STRING_SPACING, "2.30338"},
             {fields::STRING_SETBACK, "0.101618"},
             {fields::FIRST_STRING_DIAMETER, "0.0110906"},
             {fields::LAST_STRING_DIAMETER, "0.0532154"}})
        setFieldText(t->design, field, text);
    t->session.mode = DrawingMode::Final;
    ASSERT_EQ(t->pass(), STATUS_OK);
    EXPECT_EQ(expectExportedAndJoinedWhereTheyMiss(solvedOrFail(*t)), 1);
    EXPECT_EQ(closedContours(solvedOrFail(*t)).notice,
              "Joined the cutaway edge and the shoulder arc where they cross: their ends lay "
              "0.0105 apart.");
}

// A Dreadnought given a cutaway whose edge overshoots the shoulder arc: the
// drawn edge runs on past the joined crossing and still belongs to the loop.
TEST(Contours, ADrawnEdgeThatRunsPastTheCrossingIsNoGapInTheLoop) {
    auto t = std::make_unique<testing::TestDocument>();
    loadTexts(t->design, presetTexts(presetRows::Dreadnought));
    for (const char* set :
         {"Neck flat length=2.177", "Upper bout width=11.65", "Has cutaway=1",
          "Cutaway side offset=0.323555", "Cutaway depth=2.22576", "Cutaway width=2.69788",
          "Fingerboard taper spec type=1", "Nut width=1.766", "String spacing at bridge=2.21519",
          "String setback=0.1012", "String 1 diameter=0.01128", "String last diameter=0.04857"}) {
        const std::string text = set;
        const size_t eq = text.find('=');
        setFieldText(t->design, fieldByLabel(text.substr(0, eq)), text.substr(eq + 1));
    }
    t->session.mode = DrawingMode::Final;
    ASSERT_EQ(t->pass(), STATUS_OK);
    EXPECT_EQ(expectExportedAndJoinedWhereTheyMiss(solvedOrFail(*t)), 1);
}

}  // namespace
}  // namespace bowlyn

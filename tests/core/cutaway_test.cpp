#include "geometry/cutaway.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "geometry/pass_texts.h"
#include "geometry/primitives.h"
#include "model/number_text.h"
#include "model/presets.h"
#include "render/view_transform.h"
#include "test_document.h"

namespace bowlyn {
namespace {

constexpr int ARCHTOP_VENETIAN = 1;
constexpr int STEEL_FLORENTINE = 6;
constexpr int ABG_VENETIAN = 7;

const int CUTAWAY_LABELS[] = {
    outputs::FLORENTINE_RADIUS,
    outputs::FLORENTINE_CENTRE,
    outputs::VENETIAN_POINT_CENTRE,
    outputs::VENETIAN_VALLEY_CENTRE,
};

// A preset loaded into a fresh document, changed, and run through one pass.
struct PresetPass : testing::TestDocument {
    explicit PresetPass(int row, const std::function<void(DesignParameters&)>& change = {},
                        DrawingMode mode = DrawingMode::Working) {
        loadTexts(design, presetTexts(row));
        if (change)
            change(design.params);
        session.mode = mode;
        pass();
    }
    const CutawayGeometry& cutaway() const { return last().outline.outline.cutaway; }
};

TEST(CutawayChecks, EachCheckReportsItsMessage) {
    using P = DesignParameters&;
    struct Case {
        const char* what;
        int row;
        std::function<void(P)> change;
        std::string message;
    };
    const std::string depthWidth =
        "Problem: Both the cutaway depth and width must be specified. Values must be > 0.";
    const std::string scaleNut =
        "Problem: To draw a cutaway, both the nut width and the scale length must be specified. "
        "Values must be > 0.";
    const std::string boardWidth =
        "Problem: To draw a cutaway, both the fingerboard width and the number of the fret at "
        "which that width is measured must be specified. Values must be > 0.";
    const std::string taper =
        "Problem: The fingerboard taper specified for drawing the cutaway is equal or wider at the "
        "nut than where the neck joins the body.";
    const std::string pointTooLarge =
        "Problem: The radius of the point of the cutaway is too large.";
    const std::string offset = "Problem: The value for the cutaway offset cannot be < 0.";
    auto byWidth = [](P p) {
        p.taperType = TAPERTYPEBOARDWIDTH;
        p.boardWidthAtFret = 2.0f;
        p.boardWidthFret = 12;
    };
    const int F = STEEL_FLORENTINE, V = ABG_VENETIAN;
    const Case cases[] = {
        {"negative offset", F, [](P p) { p.cutawaySideOffset = -0.1f; }, offset},
        {"offset not a number", F, [](P p) { p.cutawaySideOffset = NAN; }, offset},
        {"no depth", F, [](P p) { p.cutawayDepth = 0; }, depthWidth},
        {"negative width", F, [](P p) { p.cutawayWidth = -1; }, depthWidth},
        {"negative point radius", F, [](P p) { p.cutawayPointRadius = -1; },
         "Problem: The value for the cutaway point radius cannot be < 0."},
        {"joins at 0", F, [](P p) { p.neckJoinsAtFret = 0; },
         "Problem: To draw a cutaway, the value for the fret number at which the neck joins the "
         "body must be specified. Values must be > 0 (and are usually 14 or 12)."},
        {"no scale", F, [](P p) { p.scaleLength = 0; }, scaleNut},
        {"no nut", F, [](P p) { p.nutWidth = 0; }, scaleNut},
        {"infinite nut", F, [](P p) { p.nutWidth = INFINITY; }, scaleNut},
        {"no board width", F,
         [&](P p) {
             byWidth(p);
             p.boardWidthAtFret = 0;
         },
         boardWidth},
        {"no board fret", F,
         [&](P p) {
             byWidth(p);
             p.boardWidthFret = -12;
         },
         boardWidth},
        {"no first diameter", F, [](P p) { p.firstStringDiameter = 0; },
         "Problem: To draw a cutaway, the diameters of both the first and last strings must be "
         "specified. Values must be > 0."},
        {"no setback", F, [](P p) { p.stringSetback = 0; },
         "Problem: To draw a cutaway, the string setback must be specified. Value must be > 0."},
        {"no bridge spacing", F, [](P p) { p.bridgeStringSpacing = 0; },
         "Problem: To draw a cutaway, the string spacing (first to last) at the bridge must be "
         "specified. Value must be > 0."},
        {"no taper", F,
         [&](P p) {
             byWidth(p);
             p.boardWidthAtFret = p.nutWidth;
         },
         taper},
        {"narrowing taper", F,
         [&](P p) {
             byWidth(p);
             p.boardWidthAtFret = 1.5f;
         },
         taper},
        {"offset past the body", F, [](P p) { p.cutawaySideOffset = 10; },
         "Problem: the value for the cutaway offset is too large."},
        {"width past the body", F, [](P p) { p.cutawayWidth = 5; },
         "Problem: the value for the cutaway width is too large."},
        {"Florentine too shallow", F,
         [](P p) {
             p.cutawayDepth = 0.3f;
             p.cutawayWidth = 1.5f;
         },
         "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth deeper or "
         "the width narrower."},
        {"Florentine too deep", F,
         [](P p) {
             p.cutawayDepth = 1.0f;
             p.cutawayWidth = 0.5f;
         },
         "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth shallower "
         "or the width wider."},
        {"no point", V, [](P p) { p.cutawayPointRadius = 0; },
         "Problem: The radius of the point of a Venetian cutaway must be > 0."},
        {"width ends on the flat", V, [](P p) { p.cutawayWidth = 0.1f; },
         "Problem: The value for the cutaway width is too small."},
        {"point beyond the upper bout", V, [](P p) { p.cutawayPointRadius = 3; }, pointTooLarge},
        {"point beyond the shoulder", V,
         [](P p) {
             p.cutawayWidth = 1;
             p.cutawayPointRadius = 8;
         },
         pointTooLarge},
        {"valley too large", V,
         [](P p) {
             p.cutawayValleyRadius = 3.5f;
             p.cutawayPointRadius = 1;
         },
         "Problem: The radius of the valley of the cutaway is too large."},
        {"valley meets point", V,
         [](P p) {
             p.cutawayValleyRadius = 1.5f;
             p.cutawayPointRadius = 2;
         },
         "Problem: The cutaway valley arc and point arc cannot overlap Reduce the size of one or "
         "both."},
        {"valley not a number", V, [](P p) { p.cutawayValleyRadius = NAN; },
         "Problem: the cutaway cannot be drawn to these dimensions. Try making the depth deeper or "
         "the width narrower."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PresetPass pass(c.row, c.change);
        EXPECT_EQ(pass.status(), c.message);
        EXPECT_FALSE(pass.session.complete());
        for (int label : CUTAWAY_LABELS)
            EXPECT_EQ(pass.label(label), " ");
    }
}

// The inner edge ending exactly at the far end of the floor line leaves the
// tangent arc without a corner: reported as an internal error, not drawn.
TEST(CutawayChecks, FloorWithoutLengthIsAnInternalError) {
    testing::TestDocument t;
    Design& design = t.design;
    Session& session = t.session;
    float offset = 4.2f;
    bool found = false;
    for (int i = 0; i < 100 && !found; ++i) {
        loadTexts(design, presetTexts(STEEL_FLORENTINE));
        design.params.cutawayDepth = 4.0f;
        design.params.cutawayWidth = 0.01f;
        design.params.cutawaySideOffset = offset;
        session.runPass();
        const CutawayGeometry& c = t.last().outline.outline.cutaway;
        found = c.edgeBottom.x == c.floorEnd.x;
        float next = offset + (c.floorEnd.x - c.edgeBottom.x);
        offset = next != offset
                     ? next
                     : std::nextafter(offset, c.floorEnd.x > c.edgeBottom.x ? 9.0f : 0.0f);
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(t.status(),
              "Internal error: tangentArcPLL() returned status = 0. Please report this bug.");
    EXPECT_FALSE(session.complete());
}

// End points of the recorded lines and arcs of one layer.
std::vector<std::pair<float, float>> endPoints(const StrokeList& entities, Layer layer) {
    std::vector<std::pair<float, float>> points;
    const double toRadians = PI_SINGLE / 180.0;
    for (const Stroke& e : entities) {
        if (e.layer != layer)
            continue;
        if (e.kind == StrokeKind::Line) {
            points.push_back({e.v[0], e.v[1]});
            points.push_back({e.v[2], e.v[3]});
        } else if (e.kind == StrokeKind::Arc) {
            for (int k : {3, 4}) {
                const double a = recordedValue(e, k) * toRadians;
                points.push_back({static_cast<float>(e.v[0] + e.v[2] * std::cos(a)),
                                  static_cast<float>(e.v[1] + e.v[2] * std::sin(a))});
            }
        }
    }
    return points;
}

// Every end of the outline meets another end: the outline is closed.
void expectClosed(const StrokeList& entities) {
    auto points = endPoints(entities, Layer::Body);
    for (size_t i = 0; i < points.size(); ++i) {
        bool met = false;
        for (size_t j = 0; j < points.size() && !met; ++j)
            met = j / 2 != i / 2 && std::hypot(points[i].first - points[j].first,
                                               points[i].second - points[j].second) < 2e-3;
        EXPECT_TRUE(met) << "loose end at " << points[i].first << "," << points[i].second;
    }
}

float distanceToLine(float px, float py, float ax, float ay, float bx, float by) {
    double dx = bx - ax, dy = by - ay;
    return static_cast<float>(std::fabs(dy * (px - ax) - dx * (py - ay)) / std::hypot(dx, dy));
}

TEST(CutawayPresets, FlorentineArcTouchesEdgeAndFloorAndEndsAtTheWidth) {
    PresetPass pass(STEEL_FLORENTINE);
    ASSERT_EQ(pass.status(), STATUS_OK);
    EXPECT_TRUE(pass.session.complete());
    const CutawayGeometry& c = pass.cutaway();
    const float r = c.arcRadius;
    EXPECT_NEAR(distance(c.arcCentre, c.widthPoint), r, 1e-4);
    EXPECT_NEAR(distanceToLine(c.arcCentre.x, c.arcCentre.y, c.edgeTop.x, c.edgeTop.y,
                               c.edgeBottom.x, c.edgeBottom.y),
                r, 1e-4);
    EXPECT_NEAR(c.arcCentre.y - r, c.floorEnd.y, 1e-4);  // the floor line is a tangent
    EXPECT_EQ(pass.label(outputs::FLORENTINE_RADIUS), singleToText(roundTo(r, 2)));
    EXPECT_EQ(pass.label(outputs::FLORENTINE_CENTRE), pointText(c.arcCentre.x, c.arcCentre.y));
    EXPECT_EQ(pass.label(outputs::VENETIAN_VALLEY_CENTRE), " ");
    expectClosed(pass.entities());
}

TEST(CutawayPresets, VenetianValleyPointAndTangentFit) {
    for (int row : {ARCHTOP_VENETIAN, ABG_VENETIAN}) {
        SCOPED_TRACE(row);
        PresetPass pass(row);
        ASSERT_EQ(pass.status(), STATUS_OK);
        EXPECT_TRUE(pass.session.complete());
        const CutawayGeometry& c = pass.cutaway();
        const OutlineArc& ub = pass.last().outline.outline.upperBoutArc;
        const float rv = c.arcRadius, rp = c.pointRadius;
        EXPECT_EQ(rv, pass.design.params.cutawayValleyRadius);
        EXPECT_NEAR(c.arcCentre.y - rv, c.floorEnd.y, 1e-4);
        // The point circle touches the upper bout arc from inside at C (found
        // by an intersection that rounds its discriminant to a whole number,
        // so C lies only near the arc).
        ASSERT_EQ(c.widthHit, UPPER_BOUT_ARC);
        EXPECT_NEAR(distance(ub.centre(), c.pointCentre), ub.r - rp, 1e-3);
        EXPECT_NEAR(distance(c.pointCentre, c.widthPoint), rp, 1e-4);
        // The segment U-V is perpendicular to both radii.
        const Point u = pointOnCircle({c.arcCentre, rv}, c.arcEndAngle);
        const Point v = pointOnCircle({c.pointCentre, rp}, c.pointAngleAtTangent);
        const float ux = u.x, uy = u.y, vx = v.x, vy = v.y;
        double tx = vx - ux, ty = vy - uy;
        EXPECT_NEAR((ux - c.arcCentre.x) * tx + (uy - c.arcCentre.y) * ty, 0.0, 1e-4);
        EXPECT_NEAR((vx - c.pointCentre.x) * tx + (vy - c.pointCentre.y) * ty, 0.0, 1e-4);
        EXPECT_EQ(pass.label(outputs::VENETIAN_VALLEY_CENTRE),
                  pointText(c.arcCentre.x, c.arcCentre.y));
        EXPECT_EQ(pass.label(outputs::VENETIAN_POINT_CENTRE),
                  pointText(c.pointCentre.x, c.pointCentre.y));
        EXPECT_EQ(pass.label(outputs::FLORENTINE_RADIUS), " ");
        expectClosed(pass.entities());
    }
}

TEST(CutawayPresets, ConstructionIsPaintedButNeverRecorded) {
    for (int row : {ARCHTOP_VENETIAN, STEEL_FLORENTINE, ABG_VENETIAN}) {
        SCOPED_TRACE(row);
        PresetPass working(row, {}, DrawingMode::Working), final(row, {}, DrawingMode::Final);
        ASSERT_EQ(working.status(), STATUS_OK);
        ASSERT_EQ(final.status(), STATUS_OK);
        const StrokeList we = working.entities(), fe = final.entities();
        ASSERT_EQ(we.size(), fe.size());
        for (size_t i = 0; i < we.size(); ++i) {
            const Stroke &a = we[i], &b = fe[i];
            EXPECT_EQ(a.kind, b.kind);
            EXPECT_EQ(a.layer, b.layer);
            for (int k = 0; k < 5; ++k)
                EXPECT_EQ(a.v[k], b.v[k]) << i;
        }
        // The construction circle of the cutaway arc shows in the working
        // drawing only: many of its points are painted there and blank in the
        // final drawing.
        const CutawayGeometry& c = working.cutaway();
        const DrawingSurface &workingImage = working.image(), &finalImage = final.image();
        auto painted = [](const DrawingSurface& image, int x, int y) {
            return image.pixel(x, y) != 0xFFFFFFFFu;
        };
        int onlyWorking = 0;
        for (int degree = 0; degree < 360; ++degree) {
            const Point p =
                pointOnCircle(c.arc().circle(), static_cast<float>(degree * PI_SINGLE / 180.0));
            float x = p.x, y = p.y;
            working.session.fittedView().toPixel(x, y);
            const int px = static_cast<int>(x), py = static_cast<int>(y);
            if (px < 0 || py < 0 || px >= DRAWING_WIDTH || py >= DRAWING_HEIGHT)
                continue;
            onlyWorking += painted(workingImage, px, py) && !painted(finalImage, px, py);
        }
        EXPECT_GT(onlyWorking, 20);
    }
}

TEST(CutawayPresets, FlorentineEndingOnTheNeckFlatSplitsIt) {
    PresetPass pass(STEEL_FLORENTINE, [](DesignParameters& p) {
        p.cutawaySideOffset = 0;
        p.cutawayDepth = 0.2f;
        p.cutawayWidth = 0.2f;
        p.cutawayPointRadius = 0;  // a Florentine cutaway has no point
    });
    ASSERT_EQ(pass.status(), STATUS_OK);
    const CutawayGeometry& c = pass.cutaway();
    ASSERT_EQ(c.edgeHit, UPPER_NECK_FLAT);
    ASSERT_EQ(c.widthHit, UPPER_NECK_FLAT);
    const float L = pass.design.params.bodyLength, hNF = pass.design.params.neckFlatHalfLength;
    int pieces = 0;
    for (const Stroke& e : pass.entities()) {
        if (e.layer != Layer::Body || e.kind != StrokeKind::Line || e.v[1] != L || e.v[3] != L ||
            e.v[2] < 0.0f)
            continue;
        ++pieces;
        bool toA = e.v[0] == 0.0f && e.v[2] == c.edgeTop.x;
        bool fromC = e.v[0] == c.widthPoint.x && e.v[2] == hNF;
        EXPECT_TRUE(toA || fromC) << e.v[0] << " to " << e.v[2];
    }
    EXPECT_EQ(pieces, 2);
    expectClosed(pass.entities());
}

TEST(CutawayPresets, ZeroValleyIsASharpCorner) {
    PresetPass pass(ABG_VENETIAN, [](DesignParameters& p) { p.cutawayValleyRadius = 0; });
    ASSERT_EQ(pass.status(), STATUS_OK);
    const CutawayGeometry& c = pass.cutaway();
    EXPECT_EQ(c.arcRadius, 0.0f);
    EXPECT_NEAR(c.edgeBottom.y, c.floorEnd.y, 1e-5);
    expectClosed(pass.entities());
}

TEST(CutawayPresets, SnapshotCutawayIsPaintedWithoutLabelsOrRecords) {
    PresetPass pass(ABG_VENETIAN);
    ASSERT_EQ(pass.status(), STATUS_OK);
    const std::string pointLabel = pass.label(outputs::VENETIAN_POINT_CENTRE);
    const StrokeList before = pass.entities();
    pass.overlays.snapshot = pass.last().outline;
    pass.overlays.showSnapshot = true;
    pass.design.params.cutawayPointRadius = 1.0f;
    pass.pass();
    ASSERT_EQ(pass.status(), STATUS_OK);
    EXPECT_NE(pass.label(outputs::VENETIAN_POINT_CENTRE), pointLabel);
    EXPECT_EQ(pass.entities().size(), before.size());
}

}  // namespace
}  // namespace bowlyn

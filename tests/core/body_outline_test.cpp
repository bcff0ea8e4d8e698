#include "geometry/body_outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "body_designs.h"
#include "geometry/outline_drawing.h"
#include "geometry/pass_texts.h"
#include "geometry/primitives.h"
#include "model/presets.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

using testing::setDreadnoughtBody;
using testing::setOmBody;
using testing::TestDocument;

constexpr StrokeKind A = StrokeKind::Arc, L = StrokeKind::Line, C = StrokeKind::Circle,
                     P = StrokeKind::Point;

TEST(BodyOutline, OmLabels) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    const std::vector<std::string> expected = {"15.74",      "0,15.74", "2.38,5.39", "7.05,12.68",
                                               "2.87,16.39", "8.1",     "1.25,11.3", " ",
                                               " ",          " ",       " "};
    EXPECT_EQ(t.labels(), expected);
    // The secondary lower bout arc of radius 7.5 = hLB is centred on the centre line.
    EXPECT_EQ(t.last().outline.outline.lowerBoutSecondaryArc.cx, 0.0f);
    EXPECT_EQ(t.last().outline.outline.lowerBoutSecondaryArc.r, 7.5f);
}

TEST(BodyOutline, DreadnoughtLabels) {
    TestDocument t;
    setDreadnoughtBody(t.design.params);
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    const std::vector<std::string> expected = {"19.34",      "0,19.34", "2.64,5.53", "10.81,13.55",
                                               "2.86,17.01", "14.2",    "1.09,5.89", " ",
                                               " ",          " ",       " "};
    EXPECT_EQ(t.labels(), expected);
}

float pointDistanceToCircle(Point p, const OutlineArc& a) {
    return std::fabs(distance(p, a.centre()) - a.r);
}

// Each piece of the solved outline starts where the previous one ends.
void expectJoined(const BodyOutline& o, bool secondaryLower, bool secondaryUpper) {
    const float tol = 2e-3f;
    Point p = pointOnCircle(o.tailArc.circle(), o.tailArc.end);
    Point q = pointOnCircle(o.lowerBoutArc.circle(), o.lowerBoutArc.start);
    EXPECT_NEAR(p.x, q.x, tol);
    EXPECT_NEAR(p.y, q.y, tol);
    const OutlineArc& lower = secondaryLower ? o.lowerBoutSecondaryArc : o.lowerBoutArc;
    p = pointOnCircle(lower.circle(), lower.end);
    EXPECT_NEAR(p.x, o.lowerTangent.x1, tol);
    EXPECT_NEAR(p.y, o.lowerTangent.y1, tol);
    EXPECT_LT(pointDistanceToCircle(o.lowerTangent.segment().to, o.waistArc), tol);
    EXPECT_LT(pointDistanceToCircle(o.upperTangent.segment().from, o.waistArc), tol);
    const OutlineArc& upper = secondaryUpper ? o.upperBoutSecondaryArc : o.upperBoutArc;
    p = pointOnCircle(upper.circle(), upper.start);
    EXPECT_NEAR(p.x, o.upperTangent.x2, tol);
    EXPECT_NEAR(p.y, o.upperTangent.y2, tol);
    p = pointOnCircle(o.upperBoutArc.circle(), o.upperBoutArc.end);
    if (o.shoulderArc.r == 0.0f) {  // a straight shoulder along the neck end
        EXPECT_NEAR(p.y, o.shoulderArc.cy, tol);
        return;
    }
    q = pointOnCircle(o.shoulderArc.circle(), o.shoulderArc.start);
    EXPECT_NEAR(p.x, q.x, tol);
    EXPECT_NEAR(p.y, q.y, tol);
}

TEST(BodyOutline, PresetsAsLoaded) {
    TestDocument t;
    loadTexts(t.design, presetTexts(8));  // OM
    t.session.runPass();
    EXPECT_EQ(t.label(outputs::TAIL_ARC_CENTRE), "0,15.74");
    EXPECT_EQ(t.label(outputs::SHOULDER_ARC_RADIUS), "8.1");
    loadTexts(t.design, presetTexts(2));  // Dreadnought
    t.session.runPass();
    EXPECT_EQ(t.label(outputs::WAIST_CENTRE), "10.81,13.55");
    EXPECT_EQ(t.label(outputs::SHOULDER_ARC_CENTRE), "1.09,5.89");
}

TEST(BodyOutline, EveryPresetBodyIsJoined) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        TestDocument t;
        loadTexts(t.design, presetTexts(row));
        t.design.params.hasCutaway = 0;
        t.design.params.hasFretboard = 0;
        t.design.params.hasStrings = 0;
        t.session.runPass();
        ASSERT_EQ(t.status(), "Status: OK");
        const DesignParameters& p = t.design.params;
        expectJoined(t.last().outline.outline, p.lowerBoutRadiusIncrement > 0,
                     p.upperBoutRadiusIncrement > 0);
    }
}

TEST(BodyOutline, OmOutlineIsJoined) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    expectJoined(t.last().outline.outline, true, true);
    // The waist arc passes the centre-line side of its circle at x = hW.
    EXPECT_LT(t.last().outline.outline.waistArc.start, PI_SINGLE);
    EXPECT_GT(t.last().outline.outline.waistArc.end, PI_SINGLE);
}

// A lower bout centre above the tail arc centre (OLB > hLB - RLB).
void setHighLowerBout(DesignParameters& p) {
    p = DesignParameters{};
    p.bodyLength = 20;
    p.lowerBoutHalfWidth = 7.5f;
    p.lowerBoutRadius = 6;
    p.lowerBoutOffset = 2;
    p.waistHalfWidth = 5.5f;
    p.waistRadius = 2;
    p.waistOffset = 14;
    p.upperBoutHalfWidth = 6;
    p.upperBoutRadius = 2.5f;
    p.upperBoutOffset = 0.3f;
    p.neckFlatHalfLength = 1.5f;
}

TEST(BodyOutline, TailArcMeetsALowerBoutCentredAboveItsCentre) {
    TestDocument t;
    setHighLowerBout(t.design.params);
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    const BodyOutline& o = t.last().outline.outline;
    // Past angle 0, toward the upper right where the two circles touch.
    EXPECT_GT(o.tailArc.end, 0.0f);
    EXPECT_LT(o.tailArc.end, 0.5f * PI_SINGLE);
    EXPECT_LT(
        pointDistanceToCircle(pointOnCircle(o.tailArc.circle(), o.tailArc.end), o.lowerBoutArc),
        2e-3f);
    expectJoined(o, false, false);
}

TEST(BodyOutline, ZeroOffsetsGiveStraightTailAndShoulder) {
    TestDocument t;
    setOmBody(t.design.params);
    t.design.params.lowerBoutOffset = 0;
    t.design.params.upperBoutOffset = 0;
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    const std::vector<std::string> labels = t.labels();
    EXPECT_EQ(labels[0], " ");
    EXPECT_EQ(labels[1], " ");
    EXPECT_EQ(labels[5], " ");
    EXPECT_EQ(labels[6], " ");
    EXPECT_EQ(labels[2], "2.38,5.12");

    const StrokeList e = t.entities();
    ASSERT_GE(e.size(), 2u);
    EXPECT_EQ(e[0].kind, StrokeKind::Line);  // tail line out to the lower bout centre's x
    EXPECT_EQ(e[0].layer, Layer::Body);
    EXPECT_EQ(e[0].v[0], 0.0f);
    EXPECT_EQ(e[0].v[2], 7.5f - 5.12f);
    EXPECT_EQ(e[0].v[1], 0.0f);
    EXPECT_EQ(e[0].v[3], 0.0f);
    // The shoulder line from the end of the flat to the upper bout centre's x.
    bool shoulder = false;
    for (const Stroke& en : e) {
        if (en.kind == StrokeKind::Line && en.v[0] == 1.25f && en.v[1] == 19.4f &&
            en.v[3] == 19.4f) {
            EXPECT_EQ(en.v[2], 5.625f - 2.76f);
            shoulder = true;
        }
    }
    EXPECT_TRUE(shoulder);
}

// Layer-2 entities of a pass over the OM body, in call order.
TEST(BodyOutline, OmEntityList) {
    TestDocument t;
    setOmBody(t.design.params);
    t.design.params.soundHoleXOffset = 1.5f;
    t.session.runPass();
    const StrokeList e = t.entities();
    // Ten outline pieces on both halves, then the sound hole circle and its centre.
    const StrokeKind kinds[] = {A, A, L, L, A, A, A, A, L, L, A, A, A, A, A, A, A, A, L, L, C, P};
    ASSERT_EQ(e.size(), std::size(kinds));
    for (size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].kind, kinds[i]) << i;
        EXPECT_EQ(e[i].layer, Layer::Body) << i;
    }
    EXPECT_TRUE(t.last().ok());
    // Tail arc and its mirror image: from the tail point, in degrees.
    EXPECT_EQ(recordedValue(e[0], 3), 270.0f);
    EXPECT_NEAR(e[0].v[2], 15.7446f, 1e-3f);
    EXPECT_EQ(e[1].v[0], -e[0].v[0]);
    EXPECT_EQ(recordedValue(e[1], 4), 270.0f);
    // Sound hole drawn once at its own x.
    EXPECT_EQ(e[20].v[0], 1.5f);
    EXPECT_EQ(e[20].v[1], 13.5f);
    EXPECT_EQ(e[20].v[2], 1.94f);
    EXPECT_EQ(e[21].v[0], 1.5f);
    EXPECT_EQ(e[21].v[1], 13.5f);
    // The neck flat closes the outline at the neck end.
    EXPECT_EQ(e[18].v[0], 0.0f);
    EXPECT_EQ(e[18].v[2], 1.25f);
    EXPECT_EQ(e[18].v[3], 19.4f);
}

TEST(BodyOutline, NoNeckFlatAndNoSoundHole) {
    TestDocument t;
    setOmBody(t.design.params);
    t.design.params.neckFlatHalfLength = 0;
    t.design.params.soundHoleDiameter = 0;
    t.design.params.soundHoleOffset = 5;
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    EXPECT_EQ(t.entities().size(), 18u);
    // The shoulder arc now starts on the centre line.
    EXPECT_EQ(t.last().outline.outline.shoulderArc.cx, 0.0f);
    EXPECT_EQ(t.last().outline.outline.neckFlat.x2, 0.0f);
}

TEST(BodyOutline, CutawaySideLeavesTheUpperBodyToTheMirroredHalf) {
    TestDocument t;
    setOmBody(t.design.params);
    t.design.params.hasCutaway = 1;
    const BodyOutline outline = solveBodyOutline(t.design.params, bodyCircles(t.design.params));
    Drawing d;
    drawCurrentOutline(d, outlineRecord(t.design.params, outline), SoundHole{}, true);
    const StrokeList e = recordedStrokes(d.strokes);
    ASSERT_GE(e.size(), 17u);
    // Both halves up to the secondary upper bout arc; the shoulder, the
    // primary upper bout arc and the neck flat on the negative side only.
    const StrokeKind kinds[] = {A, A, L, L, A, A, A, A, L, L, A, A, A, A, A, A, L};
    for (size_t i = 0; i < std::size(kinds); ++i)
        EXPECT_EQ(e[i].kind, kinds[i]) << i;
    EXPECT_LT(e[12].v[0], 0.0f);    // shoulder
    EXPECT_LT(e[15].v[0], 0.0f);    // upper bout arc
    EXPECT_EQ(e[16].v[2], -1.25f);  // neck flat
}

struct PixelCounts {
    int construction = 0, guide = 0, boutLine = 0, grid = 0, centreLine = 0, outline = 0,
        snapshot = 0;
};

bool near(int v, int target) {
    return std::abs(v - target) <= 8;
}

PixelCounts countColours(const DrawingSurface& s, int y0 = 1, int y1 = 659) {
    PixelCounts c;
    for (int y = y0; y < y1; ++y) {
        for (int x = 1; x < 659; ++x) {
            const uint32_t p = s.pixel(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (near(r, 128) && g > 245 && b > 245)
                ++c.construction;
            if (r > 245 && g > 245 && near(b, 128))
                ++c.guide;
            if (near(r, 191) && near(g, 166) && near(b, 191))
                ++c.boutLine;
            if (r == 223 && g == 223 && b == 223)
                ++c.grid;
            if (r == 255 && g == 0 && b == 0)
                ++c.centreLine;
            if (r == 0 && g == 0 && b == 0)
                ++c.outline;
            if (r == 153 && g == 153 && b == 255)
                ++c.snapshot;
        }
    }
    return c;
}

TEST(BodyOutline, FinalDrawingLeavesOutTheConstructionAids) {
    TestDocument working, final;
    setOmBody(working.design.params);
    setOmBody(final.design.params);
    final.session.mode = DrawingMode::Final;
    working.session.runPass();
    final.session.runPass();
    const PixelCounts w = countColours(working.image());
    const PixelCounts f = countColours(final.image());
    EXPECT_GT(w.construction, 100);
    EXPECT_GT(w.guide, 100);
    EXPECT_GT(w.boutLine, 100);
    EXPECT_EQ(f.construction, 0);
    EXPECT_EQ(f.guide, 0);
    EXPECT_EQ(f.boutLine, 0);
    // Grid, bounding rectangle, centre line and outline stay.
    EXPECT_GT(f.grid, 500);
    EXPECT_GT(f.centreLine, 500);
    EXPECT_GT(f.outline, 1000);
    // The exported content does not depend on the mode.
    const StrokeList we = working.entities();
    const StrokeList fe = final.entities();
    ASSERT_EQ(we.size(), fe.size());
    for (size_t i = 0; i < we.size(); ++i) {
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(we[i].v[k], fe[i].v[k]);
    }
}

TEST(BodyOutline, NeckFlatTickInTheWorkingDrawingOnly) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    // The flat ends at x = 1.25 (pixel column 320 + 40); the tick crosses the
    // top edge of the body at row 20, four pixels each way.
    const DrawingSurface& s = t.image();
    auto isConstruction = [&](int x, int y) {
        const uint32_t p = s.pixel(x, y);
        return near((p >> 16) & 0xFF, 128) && ((p >> 8) & 0xFF) > 245;
    };
    EXPECT_TRUE(isConstruction(359, 17) || isConstruction(360, 17));
    EXPECT_TRUE(isConstruction(279, 17) || isConstruction(280, 17));  // mirrored
    t.session.mode = DrawingMode::Final;
    t.session.runPass();
    t.image();
    EXPECT_FALSE(isConstruction(359, 17) || isConstruction(360, 17));
}

bool isGrey(const DrawingSurface& s, int x, int y) {
    return s.pixel(x, y) == 0xFFDFDFDFu;
}

// Pixel at the top left of the 2 x 2 dot for model point (x, y).
void dotPixel(const ViewTransform& v, float x, float y, int& px, int& py) {
    v.toPixel(x, y);
    px = static_cast<int>(x) - 1;
    py = static_cast<int>(y) - 1;
}

TEST(ReferenceGeometry, GridOfWholeUnitsInsideTheBody) {
    for (float length : {15.0f, 15.5f}) {
        SCOPED_TRACE(length);
        TestDocument t;
        t.session.mode = DrawingMode::Final;
        t.design.params.bodyLength = length;
        t.design.params.lowerBoutHalfWidth = 8;
        t.session.runPass();  // stops at the lower bout checks, after the grid
        const DrawingSurface& s = t.image();
        const int rows = length == 15.0f ? 14 : 15;
        for (int i = 1; i <= 7; ++i) {
            for (int j = 1; j <= rows; ++j) {
                int px, py, mx, my;
                dotPixel(t.session.fittedView(), static_cast<float>(i), static_cast<float>(j), px,
                         py);
                dotPixel(t.session.fittedView(), -static_cast<float>(i), static_cast<float>(j), mx,
                         my);
                EXPECT_TRUE(isGrey(s, px, py)) << i << "," << j;
                EXPECT_TRUE(isGrey(s, mx + 1, my)) << -i << "," << j;
                // Between the dots the image stays white.
                int hx, hy;
                dotPixel(t.session.fittedView(), i + 0.5f, j - 0.5f, hx, hy);
                EXPECT_EQ(s.pixel(hx, hy), 0xFFFFFFFFu);
            }
        }
    }
}

TEST(ReferenceGeometry, WideBodyStillShowsEveryVisibleDot) {
    TestDocument t;
    t.session.mode = DrawingMode::Final;
    t.design.params.bodyLength = 30;
    t.design.params.lowerBoutHalfWidth = 40;  // scale from the width: 15.5 px per unit
    t.session.runPass();
    int px, py;
    dotPixel(t.session.fittedView(), 21, 29, px, py);  // 326 px right of the centre line
    EXPECT_TRUE(isGrey(t.image(), px, py));
    dotPixel(t.session.fittedView(), -20, 1, px, py);  // the left side has 320 px
    EXPECT_TRUE(isGrey(t.image(), px, py));
}

TEST(ReferenceGeometry, DenseGridsAreSkipped) {
    TestDocument t;
    t.session.mode = DrawingMode::Final;
    t.design.params.bodyLength = 250;
    t.design.params.lowerBoutHalfWidth = 100;  // 99 x 249 dots on each side
    t.session.runPass();
    int px, py;
    dotPixel(t.session.fittedView(), 1, 1, px, py);
    EXPECT_EQ(t.image().pixel(px + 1, py), 0xFFFFFFFFu);
}

TEST(ReferenceGeometry, HugeAndTinyBodiesFinish) {
    const float sizes[][2] = {{1e6f, 2.5e6f},
                              {3e38f, 3.4e38f},
                              {1e-30f, 2.5e-30f},
                              {1e-44f, 1e-45f},
                              {INFINITY, INFINITY}};
    for (const auto& size : sizes) {
        TestDocument t;
        t.design.params.lowerBoutHalfWidth = size[0];
        t.design.params.bodyLength = size[1];
        t.session.runPass();  // would take hours if every dot were drawn
        EXPECT_FALSE(t.session.complete());
    }
}

TEST(Snapshot, DrawnUnderTheOutlineAlignedAtTheNeckEnd) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    t.overlays.snapshot = t.last().outline;
    t.overlays.showSnapshot = true;
    t.design.params.bodyLength = 19.2f;
    const size_t entitiesBefore = 22;
    t.session.runPass();
    ASSERT_EQ(t.status(), "Status: OK");
    EXPECT_EQ(t.session.fittedView().originY, 640.0f);  // put back
    EXPECT_EQ(t.entities().size(), entitiesBefore);     // nothing recorded
    // 620 / 19.2 px per unit: the snapshot's neck end at row 20 puts its tail
    // 6 pixels below the current one (rows 645 and 646 at the centre line).
    const DrawingSurface& s = t.image();
    EXPECT_GT(countColours(s, 645, 647).snapshot, 20);
    EXPECT_EQ(countColours(s, 647, 659).snapshot, 0);

    t.session.mode = DrawingMode::Final;
    t.session.runPass();
    EXPECT_EQ(countColours(t.image()).snapshot, 0);
    t.session.mode = DrawingMode::Working;
    t.overlays.showSnapshot = false;
    t.session.runPass();
    EXPECT_EQ(countColours(t.image()).snapshot, 0);
}

TEST(UpperOutline, FindsNeckFlatShoulderAndUpperBoutArc) {
    TestDocument t;
    setOmBody(t.design.params);
    t.session.runPass();
    const BodyOutline& o = t.last().outline.outline;
    const DesignParameters& p = t.design.params;
    Point at;
    // A vertical segment through the flat.
    EXPECT_EQ(intersectUpperOutline(o, p, {{1.0f, 18}, {1.0f, 21}}, at), UPPER_NECK_FLAT);
    EXPECT_EQ(at.x, 1.0f);
    EXPECT_NEAR(at.y, 19.4f, 1e-5f);
    // Through the end of the flat does not count as the flat.
    EXPECT_EQ(intersectUpperOutline(o, p, {{1.25f, 19.3f}, {1.25f, 21}}, at), UPPER_SHOULDER);
    // Across the shoulder arc, once.
    const OutlineArc& sh = o.shoulderArc;
    const Point s = pointOnCircle(sh.circle(), 0.5f * (sh.start + sh.end));
    EXPECT_EQ(intersectUpperOutline(o, p, {{s.x, s.y - 0.5f}, {s.x, s.y + 0.5f}}, at),
              UPPER_SHOULDER);
    EXPECT_NEAR(at.y, s.y, 0.05f);  // the rounded discriminant is coarse
    // A horizontal segment through the widest point of the upper bout.
    EXPECT_EQ(intersectUpperOutline(o, p, {{4, 16.39f}, {7, 16.39f}}, at), UPPER_BOUT_ARC);
    EXPECT_NEAR(at.x, 5.625f, 0.02f);
    // A segment that cuts the circle twice: the point on the arc, above the centre.
    EXPECT_EQ(intersectUpperOutline(o, p, {{5.5f, 15.0f}, {5.5f, 18.0f}}, at), UPPER_BOUT_ARC);
    EXPECT_GT(at.y, o.upperBoutArc.cy);
    // Away from the outline.
    EXPECT_EQ(intersectUpperOutline(o, p, {{0.1f, 10}, {0.2f, 11}}, at), UPPER_NONE);
}

TEST(PointText, RoundsToTwoDecimals) {
    EXPECT_EQ(pointText(5.125f, 17.5f), "5.13,17.5");
    EXPECT_EQ(pointText(0.0f, 6.0f), "0,6");
    // Negative values round toward zero: -150 + 0.5 truncates to -149.
    EXPECT_EQ(pointText(-1.5f, 2.0f), "-1.49,2");
}

}  // namespace
}  // namespace bowlyn

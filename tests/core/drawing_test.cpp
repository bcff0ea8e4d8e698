#include "render/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/drawing_surface.h"
#include "render/view_transform.h"

namespace bowlyn {
namespace {

constexpr uint32_t WHITE = 0xFFFFFFFFu;

TEST(ViewTransform, FitsTheBodyWithTwentyPixelsToSpare) {
    ViewTransform v;
    v.fit(15, 8);
    EXPECT_FLOAT_EQ(v.scaleX, 620.0f / 15.0f);
    EXPECT_EQ(v.scaleY, v.scaleX);
    EXPECT_EQ(v.originX, 320.0f);
    EXPECT_EQ(v.originY, 640.0f);
    float x = 0, y = 0;
    v.toPixel(x, y);
    EXPECT_EQ(x, 320.0f);
    EXPECT_EQ(y, 640.0f);
    x = 0;
    y = 15;
    v.toPixel(x, y);
    EXPECT_EQ(y, 20.0f);

    v.fit(8, 8);  // equal: the width decides
    EXPECT_EQ(v.scaleX, 620.0f / 8.0f);
    v.fit(8, 10);
    EXPECT_EQ(v.scaleX, 62.0f);
}

TEST(ViewTransform, HalvesRoundUpward) {
    ViewTransform v;
    v.scaleX = v.scaleY = 1;
    float x = 2.5f, y = -2.5f;
    v.toPixel(x, y);
    EXPECT_EQ(x, 3.0f);
    EXPECT_EQ(y, 2.0f);  // -(-2) with origin 0
    x = -2.5f;
    y = 2.5f;
    v.toPixel(x, y);
    EXPECT_EQ(x, -2.0f);
    EXPECT_EQ(y, -3.0f);
    EXPECT_EQ(v.toPixelLength(2.5f), 3.0f);
}

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override { d.view.fit(15, 8); }
    Drawing d;
    DrawingSurface surface;
    // What was recorded for the exports, each side a stroke of its own.
    StrokeList list() const { return recordedStrokes(d.strokes); }
    // The image with what was drawn since the last restart, as a pass shows it.
    const DrawingSurface& image() {
        surface.clear();
        surface.paint(d.strokes, d.view);
        return surface;
    }
    void restart() { d.strokes.clear(); }
    int paintedPixels() { return inkInside(image()); }
    static int inkInside(const DrawingSurface& s) {
        int n = 0;
        for (int y = 1; y < 659; ++y) {
            for (int x = 1; x < 659; ++x)
                n += s.pixel(x, y) != WHITE;
        }
        return n;
    }
};

TEST_F(DrawingTest, ClearLeavesWhiteWithAOnePixelFrame) {
    d.drawLine(styleOutline, -3, 3, 3, 10, Side::AsPassed, Layer::None);
    surface.paint(d.strokes, d.view);
    surface.clear();
    for (int i = 0; i < 660; ++i) {
        EXPECT_EQ(surface.pixel(i, 0), 0xFF000000u);
        EXPECT_EQ(surface.pixel(i, 659), 0xFF000000u);
        EXPECT_EQ(surface.pixel(0, i), 0xFF000000u);
        EXPECT_EQ(surface.pixel(659, i), 0xFF000000u);
    }
    EXPECT_EQ(inkInside(surface), 0);
}

TEST_F(DrawingTest, LineOnBothSidesRecordsAndPaintsTheMirrorImage) {
    d.drawLine(styleOutline, 1, 2, 3, 4, Side::Both, Layer::Body);
    ASSERT_EQ(list().size(), 2u);
    const float first[] = {1, 2, 3, 4}, second[] = {-1, 2, -3, 4};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(list()[0].v[k], first[k]);
        EXPECT_EQ(list()[1].v[k], second[k]);
    }
    EXPECT_EQ(list()[0].kind, StrokeKind::Line);
    EXPECT_EQ(list()[0].layer, Layer::Body);
    image();
    // Symmetric about pixel column 320 (pixels 319 and 320 straddle it), up to
    // the antialiasing of the slanted edges.
    int left = 0, right = 0;
    for (int y = 1; y < 659; ++y) {
        for (int x = 1; x < 320; ++x) {
            const uint32_t l = surface.pixel(x, y), r = surface.pixel(639 - x, y);
            left += l != WHITE;
            right += r != WHITE;
            if ((l & 0xFF) < 0x40) {
                EXPECT_NE(r, WHITE) << x << "," << y;
            }
            if ((r & 0xFF) < 0x40) {
                EXPECT_NE(l, WHITE) << x << "," << y;
            }
        }
    }
    EXPECT_GT(left, 50);
    EXPECT_NEAR(left, right, left / 20);
}

TEST_F(DrawingTest, SideLayerAndRecordOnlyDecideWhatHappens) {
    d.drawLine(styleOutline, 1, 2, 3, 4, Side::MirrorOnly, Layer::Body);
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0].v[0], -1.0f);
    image();
    int leftOnly = 0, right = 0;
    for (int y = 1; y < 659; ++y) {
        for (int x = 1; x < 659; ++x) {
            if (surface.pixel(x, y) == WHITE)
                continue;
            (x < 320 ? leftOnly : right)++;
        }
    }
    EXPECT_GT(leftOnly, 0);
    EXPECT_EQ(right, 0);

    restart();
    d.drawLine(styleOutline, 1, 2, 3, 4, Side::AsPassed, Layer::None);
    EXPECT_EQ(list().size(), 0u);  // painted only
    EXPECT_GT(paintedPixels(), 0);

    restart();
    d.drawCircle(styleOutline, 1, 2, 1, Side::Both, Layer::Strings, RECORD_ONLY);
    EXPECT_EQ(list().size(), 2u);  // recorded only
    EXPECT_EQ(paintedPixels(), 0);

    d.drawPoint(styleOutline, 1, 2, PointMarker::Cross, Side::Both, Layer::None, RECORD_ONLY);
    EXPECT_EQ(d.strokes.size(), 1u);  // neither
    EXPECT_EQ(paintedPixels(), 0);

    // The reference centre line: painted on its layer, never recorded.
    restart();
    d.drawLine(styleCentreLine, 0, -1, 0, 9, Side::AsPassed, Layer::Reflines, StrokeUse::Shown);
    EXPECT_EQ(list().size(), 0u);
    EXPECT_GT(paintedPixels(), 0);
}

TEST_F(DrawingTest, ArcAnglesAreRecordedInDegreesAndMirrored) {
    const float pi = PI_SINGLE;
    d.drawArc(styleOutline, 1, 1, 1, 0.3f, 0.3f, Side::Both, Layer::Body);
    EXPECT_EQ(list().size(), 0u);
    EXPECT_EQ(paintedPixels(), 0);

    d.drawArc(styleOutline, 1, 2, 3, 0.0f, static_cast<float>(pi / 2.0), Side::Both, Layer::Body);
    const StrokeList arcs = list();
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].kind, StrokeKind::Arc);
    EXPECT_EQ(recordedValue(arcs[0], 3), 0.0f);
    EXPECT_FLOAT_EQ(recordedValue(arcs[0], 4), 90.0f);
    EXPECT_EQ(arcs[1].v[0], -1.0f);
    EXPECT_EQ(arcs[1].v[2], 3.0f);
    EXPECT_FLOAT_EQ(recordedValue(arcs[1], 3), 90.0f);
    EXPECT_FLOAT_EQ(recordedValue(arcs[1], 4), 180.0f);

    d.drawArc(styleOutline, 1, 2, 3, static_cast<float>(1.5 * pi), 1.98f * pi, Side::Both,
              Layer::Body);
    EXPECT_NEAR(recordedValue(list()[3], 3), 183.6f, 1e-3f);
    EXPECT_NEAR(recordedValue(list()[3], 4), 270.0f, 1e-3f);
}

TEST_F(DrawingTest, PointMarkers) {
    // A cross with arms of 4 pixels around (320 + 41, 640 - 41).
    d.drawPoint(styleOutline, 1, 1, PointMarker::Cross, Side::AsPassed, Layer::None);
    float x = 1, y = 1;
    d.view.toPixel(x, y);
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    const DrawingSurface& s = image();
    EXPECT_NE(s.pixel(px + 3, py), WHITE);
    EXPECT_NE(s.pixel(px - 4, py), WHITE);
    EXPECT_EQ(s.pixel(px + 4, py), WHITE);
    EXPECT_EQ(s.pixel(px - 5, py), WHITE);
    EXPECT_NE(s.pixel(px, py + 3), WHITE);
    EXPECT_EQ(s.pixel(px + 3, py + 3), WHITE);

    // A bar of width 6: a 6 x 6 square.
    restart();
    d.drawPoint(styleTransPoint, 1, 1, PointMarker::Bar, Side::AsPassed, Layer::None);
    EXPECT_EQ(paintedPixels(), 36);
    EXPECT_NE(s.pixel(px - 3, py - 3), WHITE);
    EXPECT_NE(s.pixel(px + 2, py + 2), WHITE);

    // Width 1: zero length, nothing painted.
    restart();
    d.drawPoint(styleMarker, 1, 1, PointMarker::Bar, Side::AsPassed, Layer::None);
    EXPECT_EQ(paintedPixels(), 0);
}

TEST_F(DrawingTest, CircleRecordsModelRadiusAndPaintsWholePixels) {
    d.drawCircle(styleOutline, 0, 7.5f, 1.94f, Side::AsPassed, Layer::Body);
    ASSERT_EQ(list().size(), 1u);
    EXPECT_EQ(list()[0].kind, StrokeKind::Circle);
    EXPECT_EQ(list()[0].v[2], 1.94f);
    // 1.94 * 41.33 = 80.2 -> 80 pixels; the centre is at (320, 330).
    const DrawingSurface& s = image();
    EXPECT_NE(s.pixel(320 + 80, 330), WHITE);
    EXPECT_EQ(s.pixel(320 + 83, 330), WHITE);
    EXPECT_EQ(s.pixel(320 + 77, 330), WHITE);
}

TEST_F(DrawingTest, NonFiniteAndHugeGeometryIsRecordedButNotPainted) {
    d.drawLine(styleOutline, NAN, 0, 1, 1, Side::AsPassed, Layer::Body);
    d.drawCircle(styleConstruction, 0, 0, 1e30f, Side::AsPassed, Layer::Body);
    d.drawArc(styleOutline, INFINITY, 0, 1, 0, 1, Side::AsPassed, Layer::Body);
    EXPECT_EQ(list().size(), 3u);
    EXPECT_EQ(paintedPixels(), 0);
}

}  // namespace
}  // namespace bowlyn

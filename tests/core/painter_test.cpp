#include "render/painter.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "body_designs.h"
#include "geometry/pass_texts.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

// An image the test paints into, white to begin with.
class Image {
  public:
    Image(int width, int height)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
          cr_(cairo_create(surface_)) {
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_paint(cr_);
    }
    ~Image() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    cairo_t* cr() const { return cr_; }
    // The green channel: 255 white, 0 under a black line.
    int green(int x, int y) const {
        cairo_surface_flush(surface_);
        const unsigned char* row =
            cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        return (reinterpret_cast<const uint32_t*>(row)[x] >> 8) & 0xFF;
    }

  private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

TEST(Strokes, KeepWhatIsDrawnInModelUnitsAsPassed) {
    Drawing d;
    d.drawArc(styleOutline, 1.5f, 2, 3, 0.25f, 1.75f, Side::Both, Layer::Body);
    d.drawLine(styleOutline, 0, 0, 1, 1, Side::AsPassed, Layer::Frets,
               RECORD_ONLY);  // recorded only
    d.drawPoint(styleConstruction, -1, 2, PointMarker::Cross, Side::MirrorOnly, Layer::None);
    ASSERT_EQ(d.strokes.size(), 3u);
    EXPECT_FALSE(d.strokes[1].shown());
    EXPECT_EQ(recordedStrokes(d.strokes).size(), 3u);
    const Stroke& arc = d.strokes[0];
    EXPECT_EQ(arc.kind, StrokeKind::Arc);
    EXPECT_EQ(arc.side, Side::Both);
    EXPECT_EQ(arc.layer, Layer::Body);
    EXPECT_EQ(arc.style, &styleOutline);
    const float asPassed[] = {1.5f, 2, 3, 0.25f, 1.75f};  // radians, not mirrored
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(arc.v[k], asPassed[k]);
    const Stroke& point = d.strokes[2];
    EXPECT_EQ(point.kind, StrokeKind::Point);
    EXPECT_EQ(point.marker, PointMarker::Cross);
    EXPECT_EQ(point.side, Side::MirrorOnly);
    EXPECT_EQ(point.v[0], -1.0f);
}

// Zooming 4x about the device point of (3, 7.5) keeps that point where the
// fitted view shows it and puts (3.5, 7.5) at 526.67 without rounding; lines
// stay 2 pixels wide.
TEST(Painter, ZoomedViewPlacesPointsExactly) {
    ViewTransform fitted;
    fitted.fit(15, 8);  // 41.33 pixels per unit
    PaintView view = PaintView::image(fitted);
    view.wholePixels = false;
    double px = 0, py = 0;
    view.toDevice(3, 7.5, px, py);
    EXPECT_NEAR(px, 444.0, 1e-4);
    EXPECT_NEAR(py, 330.0, 1e-4);
    const double zoom = 4.0;
    view.scale *= zoom;
    view.originX = px + (view.originX - px) * zoom;
    view.originY = py + (view.originY - py) * zoom;

    Drawing d;
    d.drawPoint(styleOutline, 3, 7.5f, PointMarker::Cross, Side::AsPassed, Layer::None);
    d.drawPoint(styleOutline, 3.5f, 7.5f, PointMarker::Cross, Side::AsPassed, Layer::None);
    Image image(660, 660);
    Painter(image.cr(), view).paint(d.strokes);

    const int row = 333;  // on the vertical arms, below the horizontal ones
    EXPECT_EQ(image.green(443, row), 0);
    EXPECT_EQ(image.green(444, row), 0);
    EXPECT_EQ(image.green(442, row), 255);
    EXPECT_EQ(image.green(445, row), 255);
    // The arm covers 525.67 to 527.67.
    EXPECT_EQ(image.green(524, row), 255);
    EXPECT_NEAR(image.green(525, row), 170, 3);
    EXPECT_EQ(image.green(526, row), 0);
    EXPECT_NEAR(image.green(527, row), 85, 3);
    EXPECT_EQ(image.green(528, row), 255);
}

// On paper a model inch is 72 points and every line 0.25 points wide, on a
// context that the caller has scaled (here 10 pixels per point, as a
// 720 dpi rendering of a page would be).
TEST(Painter, TrueSizeOnPaperWithFineLines) {
    PaintView paper;
    paper.scale = 72.0;  // points per inch
    paper.originX = 10.0;
    paper.originY = 10.0;
    paper.lineWidth = 0.25;
    Drawing d;
    d.drawLine(styleOutline, 0, 0, 1, 0, Side::AsPassed, Layer::Body);  // 1 inch across
    d.drawLine(styleCentreLine, 0, 0, 0, -1, Side::AsPassed,
               Layer::Reflines);  // 1 inch down, dashed
    Image image(900, 900);
    cairo_scale(image.cr(), 10, 10);
    Painter(image.cr(), paper).paint(d.strokes);

    // Across: from 100 to 820 pixels on rows 98.75 to 101.25.
    EXPECT_EQ(image.green(110, 99), 0);
    EXPECT_EQ(image.green(110, 100), 0);
    EXPECT_EQ(image.green(110, 97), 255);
    EXPECT_EQ(image.green(110, 102), 255);
    EXPECT_EQ(image.green(819, 100), 0);
    EXPECT_EQ(image.green(821, 100), 255);
    // Down, dashed 4 on 4 off 12 on 4 off points: ink at 102 to 140 pixels,
    // a gap from 140 to 180.
    EXPECT_LT(image.green(100, 130), 255);
    EXPECT_EQ(image.green(100, 160), 255);
    EXPECT_LT(image.green(100, 200), 255);
    EXPECT_EQ(image.green(100, 821), 255);
}

// The snapshot's neck end (y = 19.2) is painted where the view puts the
// current neck end (y = 20), in any view.
TEST(Painter, AlignedItemsMoveWithTheView) {
    PaintView view;
    view.scale = 62.0;
    view.originX = 100.0;
    view.originY = 1300.0;  // y = 20 at row 60
    Drawing d;
    d.alignY(20.0f, 19.2f);
    d.drawPoint(styleOutline, 0, 19.2f, PointMarker::Cross, Side::AsPassed, Layer::None);
    d.endAlignY();
    d.drawPoint(styleOutline, 2, 19.2f, PointMarker::Cross, Side::AsPassed,
                Layer::None);  // not aligned: row 109.6
    Image image(400, 200);
    Painter(image.cr(), view).paint(d.strokes);
    EXPECT_EQ(image.green(103, 59), 0);
    EXPECT_EQ(image.green(103, 60), 0);
    EXPECT_EQ(image.green(103, 61), 255);
    EXPECT_EQ(image.green(227, 60), 255);
    EXPECT_LT(image.green(227, 109), 255);
}

}  // namespace
}  // namespace bowlyn

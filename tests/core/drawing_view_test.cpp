#include "render/drawing_view.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "body_designs.h"
#include "render/clipped_paths.h"
#include "render/drawing.h"
#include "test_document.h"

namespace bowlyn {
namespace {

ViewTransform omFit() {
    ViewTransform fitted;
    fitted.fit(19.75f, 7.875f);
    return fitted;
}

// Where the view puts a model point.
void device(const DrawingView& v, double x, double y, double& px, double& py) {
    v.paintView().toDevice(x, y, px, py);
}

TEST(DrawingView, TheDefaultAreaIsThe660ImageAndALargerOneScalesItsFit) {
    DrawingView v;
    v.setFitted(omFit());
    EXPECT_TRUE(v.imageView());
    double px, py;
    device(v, 0, 0, px, py);
    EXPECT_DOUBLE_EQ(px, omFit().originX);
    EXPECT_DOUBLE_EQ(py, omFit().originY);

    // 1000 x 800: the 660 picture scaled by 800/660 and centred across.
    v.setArea(1000, 800);
    EXPECT_FALSE(v.imageView());
    EXPECT_TRUE(v.fitted());
    const double f = 800.0 / 660.0;
    EXPECT_NEAR(v.paintView().scale, f * omFit().scaleX, 1e-9);
    device(v, 0, 0, px, py);
    EXPECT_NEAR(px, (1000 - 800) / 2.0 + f * omFit().originX, 1e-9);
    EXPECT_NEAR(py, f * omFit().originY, 1e-9);
    // Back at 660, the image again.
    v.setArea(660, 660);
    EXPECT_TRUE(v.imageView());
}

// Fit shows everything recorded: the fitted view itself when that holds it
// all, so the default area stays the 660 image; else a view round it, arcs
// by their extreme points, with the fitted view's margin.
TEST(DrawingView, FittingTheWholeDrawingKeepsTheImageWhenItHoldsItAll) {
    DrawingView v;
    v.setFitted(omFit());
    v.zoomCentred(3.0);
    Drawing inside;
    inside.drawLine(styleOutline, -7, 0, 7, 19, Side::AsPassed, Layer::Body);
    v.fitWhole(inside.strokes);
    EXPECT_TRUE(v.imageView());

    Drawing beyond;
    beyond.strokes = inside.strokes;
    // An arc over the top, up to y 34; a circle below the tail, down to y -6.
    beyond.drawArc(styleOutline, 0, 30, 4, 0, PI_SINGLE, Side::AsPassed, Layer::Fretboard);
    beyond.drawCircle(styleOutline, 0, -5, 1, Side::AsPassed, Layer::Body);
    v.fitWhole(beyond.strokes);
    EXPECT_FALSE(v.fitted());
    double left, top, right, bottom;
    device(v, -7, 34, left, top);
    device(v, 7, -6, right, bottom);
    EXPECT_NEAR(top, 20.0, 1e-9);
    EXPECT_NEAR(bottom, 640.0, 1e-9);
    EXPECT_NEAR(left + right, 660.0, 1e-9);  // centred across
}

TEST(DrawingView, ZoomKeepsThePointUnderThePointerAndStopsAtFiftyTimes) {
    DrawingView v;
    v.setFitted(omFit());
    double tailX, tailY;  // the tail end on the centre line
    device(v, 0, 0, tailX, tailY);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(v.zoomAbout(tailX, tailY, 1.25));
    double x, y;
    ASSERT_TRUE(v.toModel(tailX, tailY, x, y));
    EXPECT_NEAR(x, 0.0, 1e-9);
    EXPECT_NEAR(y, 0.0, 1e-9);
    EXPECT_NEAR(v.zoom(), std::pow(1.25, 10), 1e-9);
    EXPECT_FALSE(v.imageView());

    for (int i = 0; i < 40; ++i)
        v.zoomAbout(100, 100, 1.25);
    EXPECT_NEAR(v.zoom(), DrawingView::MAX_ZOOM, 1e-9);
    EXPECT_FALSE(v.zoomAbout(100, 100, 1.25));  // nothing left to change
    EXPECT_FALSE(v.zoomAbout(100, 100, 0.0));
    EXPECT_FALSE(v.zoomAbout(100, 100, std::nan("")));

    v.fit();
    EXPECT_TRUE(v.imageView());
    EXPECT_DOUBLE_EQ(v.zoom(), 1.0);
}

TEST(DrawingView, PanAndResizeMoveThePictureNotTheDesign) {
    DrawingView v;
    v.setFitted(omFit());
    double x0, y0;
    ASSERT_TRUE(v.toModel(330, 330, x0, y0));
    v.panBy(30, -20);  // the picture moves right and up
    EXPECT_FALSE(v.fitted());
    double x, y;
    ASSERT_TRUE(v.toModel(360, 310, x, y));
    EXPECT_NEAR(x, x0, 1e-9);
    EXPECT_NEAR(y, y0, 1e-9);
    EXPECT_NEAR(v.zoom(), 1.0, 1e-12);

    // A zoomed view keeps its centre's model point at the centre of the new area.
    v.zoomAbout(330, 330, 3.0);
    ASSERT_TRUE(v.toModel(330, 330, x0, y0));
    v.setArea(900, 700);
    ASSERT_TRUE(v.toModel(450, 350, x, y));
    EXPECT_NEAR(x, x0, 1e-9);
    EXPECT_NEAR(y, y0, 1e-9);

    // A new pass leaves a zoomed view where the user put it.
    ViewTransform other = omFit();
    other.scaleX = other.scaleY = other.scaleX / 2;
    v.setFitted(other);
    ASSERT_TRUE(v.toModel(450, 350, x, y));
    EXPECT_NEAR(x, x0, 1e-9);
    EXPECT_NEAR(y, y0, 1e-9);
}

TEST(DrawingView, NoPositionBeforeAnyPassFittedAView) {
    DrawingView v;
    double x = 7, y = 7;
    EXPECT_FALSE(v.toModel(10, 10, x, y));
    EXPECT_FALSE(v.zoomAbout(10, 10, 2.0));
}

TEST(PointerText, TwoDecimalsWithAPointWhateverTheLocale) {
    EXPECT_EQ(pointerText(3.254, 12.0, "in"), "x 3.25  y 12.00 in");
    EXPECT_EQ(pointerText(-0.004, -1.005, "cm"), "x 0.00  y -1.00 cm");
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(pointerText(1.5, 2.25, "in"), "x 1.50  y 2.25 in");
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(ClippedPaths, SegmentsKeepTheirVisiblePart) {
    const DeviceRect r{0, 0, 100, 50};
    double t0, t1;
    ASSERT_TRUE(clipSegment(-100, 25, 200, 25, r, t0, t1));
    EXPECT_NEAR(t0, 1.0 / 3, 1e-12);
    EXPECT_NEAR(t1, 2.0 / 3, 1e-12);
    EXPECT_FALSE(clipSegment(-100, 60, 200, 60, r, t0, t1));  // beneath
    EXPECT_FALSE(clipSegment(-10, -10, 10, -30, r, t0, t1));  // beside a corner
    ASSERT_TRUE(clipSegment(10, 10, 20, 20, r, t0, t1));      // wholly inside
    EXPECT_EQ(t0, 0.0);
    EXPECT_EQ(t1, 1.0);
}

TEST(ClippedPaths, CirclePiecesLieInsideAndCoverWhatShows) {
    const DeviceRect r{0, 0, 100, 100};
    // A circle wholly inside is one piece, all of it, in either direction.
    auto whole = visibleSpans(50, 50, 20, 1.0, -2 * M_PI, r);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_NEAR(whole[0].second - whole[0].first, 2 * M_PI, 1e-12);

    // A huge circle whose left edge passes through the middle: one short piece.
    const double R = 1e7;
    for (double sweep : {2 * M_PI, -2 * M_PI}) {
        auto spans = visibleSpans(50 + R, 50, R, 0.3, sweep, r);
        ASSERT_EQ(spans.size(), 1u);
        const double dir = sweep < 0 ? -1 : 1;
        for (double t : {spans[0].first, spans[0].second, (spans[0].first + spans[0].second) / 2}) {
            const double a = 0.3 + dir * t;
            EXPECT_TRUE(r.grown(1e-6).contains(50 + R + R * std::cos(a), 50 + R * std::sin(a)));
        }
        EXPECT_NEAR((spans[0].second - spans[0].first) * R, 100.0, 0.01);  // about the height
    }
    // An arc that turns away before reaching the rectangle shows nothing.
    EXPECT_TRUE(visibleSpans(50 + R, 50, R, M_PI / 2, 0.5, r).empty());
}

// An ARGB32 image painted white; the green channel of its pixels.
struct Image {
    cairo_surface_t* s;
    explicit Image(int size) : s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size)) {}
    ~Image() { cairo_surface_destroy(s); }
    int green(int x, int y) const {
        const unsigned char* row =
            cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
        return (reinterpret_cast<const uint32_t*>(row)[x] >> 8) & 0xFF;
    }
    void paint(const PaintView& view, const StrokeList& list) {
        cairo_t* cr = cairo_create(s);
        paintBackground(cr, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
        Painter(cr, view).paint(list);
        cairo_destroy(cr);
        cairo_surface_flush(s);
    }
};

// Painting only what shows must not change what shows: the OM at 4x in a
// 660 area against the same view in an area four times larger, where far
// more of every line and circle is painted whole. Dashes keep their phase.
TEST(Painter, AZoomedViewPaintsWhatALargerAreaShowsInItsPlace) {
    testing::TestDocument t;
    testing::setOmBody(t.design.params);
    t.session.runPass();
    DrawingView v;
    v.setFitted(t.session.fittedView());
    v.zoomAbout(400, 250, 4.0);
    Image small(660), large(1320);
    small.paint(v.paintView(), t.last().strokes);
    large.paint(v.paintView(), t.last().strokes);
    int differing = 0, inked = 0;
    for (int y = 4; y < 656; ++y) {
        for (int x = 4; x < 656; ++x) {
            inked += small.green(x, y) < 200;
            differing += std::abs(small.green(x, y) - large.green(x, y)) > 40;
        }
    }
    EXPECT_GT(inked, 2000);
    EXPECT_LT(differing, inked / 200) << "of " << inked;
}

// A construction circle of a hundred million pixels' radius at 50x still
// shows where it crosses the view; beyond that it is left out, never a hang.
TEST(Painter, AHugeCircleShowsWhereItCrossesAFreeView) {
    Drawing d;
    d.drawCircle(styleOutline, 0, 0, 1.0f, Side::AsPassed, Layer::None);
    for (double r : {1e5, 5e7}) {
        PaintView view;
        view.scale = r;
        view.originX = 100 - r;  // the circle's right edge on column 100
        view.originY = 100;
        Image image(200);
        image.paint(view, d.strokes);
        EXPECT_LT(image.green(100, 100), 100) << r;
        EXPECT_LT(image.green(100, 20), 100) << r;
        EXPECT_EQ(image.green(150, 100), 255) << r;
        EXPECT_EQ(image.green(50, 100), 255) << r;
    }
}

}  // namespace
}  // namespace bowlyn

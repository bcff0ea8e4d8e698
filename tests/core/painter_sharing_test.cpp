// The painter shares one stroke among items (runs of grid dots, an item and
// its mirror image on the centre line) only where that cannot change a pixel.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "geometry/recompute.h"
#include "model/presets.h"
#include "render/painter.h"
#include "test_seed.h"

namespace bowlyn {
namespace {

constexpr int SIZE = 200;

// The bytes of a white SIZE x SIZE image with `paint` done on it.
template <typename Paint>
std::vector<unsigned char> pixels(Paint paint, int size = SIZE) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<unsigned char> bytes(
        data, data + static_cast<size_t>(cairo_image_surface_get_stride(surface)) * size);
    cairo_surface_destroy(surface);
    return bytes;
}

// What a list paints, and what its items paint one stroke each.
std::vector<unsigned char> asList(const StrokeList& list, const PaintView& view, int size = SIZE) {
    return pixels([&](cairo_t* cr) { Painter(cr, view).paint(list); }, size);
}
std::vector<unsigned char> oneByOne(const StrokeList& list, const PaintView& view,
                                    int size = SIZE) {
    return pixels(
        [&](cairo_t* cr) {
            const Painter painter(cr, view);
            for (const Stroke& item : list)
                painter.paint(item);
        },
        size);
}

PaintView wholePixels(double originX, double originY, double scale) {
    PaintView view;
    view.scale = scale;
    view.originX = originX;
    view.originY = originY;
    view.wholePixels = true;
    return view;
}

Stroke stroke(StrokeKind kind, const StrokeStyle& style, std::initializer_list<float> values,
              Side side = Side::Both, PointMarker marker = PointMarker::Bar) {
    Stroke s;
    s.kind = kind;
    s.side = side;
    s.marker = marker;
    s.style = &style;
    int i = 0;
    for (float v : values)
        s.v[i++] = v;
    return s;
}

Stroke bar(const StrokeStyle& style, float x, float y, Side side) {
    return stroke(StrokeKind::Point, style, {x, y}, side);
}

TEST(PainterSharing, EveryPresetPaintsAsWithOneStrokePerItem) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        for (DrawingMode mode : {DrawingMode::Working, DrawingMode::Final}) {
            Design design;
            loadTexts(design, presetTexts(row));
            const PassResult pass = recompute(design.params, Overlays{}, mode);
            ASSERT_FALSE(pass.strokes.empty()) << presetName(row);
            const PaintView view = PaintView::image(*pass.view);
            EXPECT_EQ(asList(pass.strokes, view, DRAWING_WIDTH),
                      oneByOne(pass.strokes, view, DRAWING_WIDTH))
                << presetName(row) << (mode == DrawingMode::Final ? " final" : " working");
        }
    }
}

// Runs of bars in opaque and translucent, thin and wide, solid and dashed
// styles, on whole and half pixels, overlapping and apart, on either side and
// across the frame: whatever is shared must paint what separate strokes do.
TEST(PainterSharing, RandomRunsOfBarsPaintAsOneStrokeEach) {
    std::mt19937 random(test::randomTestSeed());
    const StrokeStyle* styles[] = {&styleGrid,   &styleGrid,       &styleOutline,
                                   &styleMarker, &styleTransPoint, &styleConstruction,
                                   &styleGuide};
    const Side sides[] = {Side::AsPassed, Side::Both, Side::MirrorOnly};
    // Bars on top of each other and a pixel apart, in every style.
    for (const StrokeStyle* style : styles) {
        const PaintView view = wholePixels(100.0, 190.0, 1.0);
        const StrokeList list = {bar(*style, 5, 5, Side::Both), bar(*style, 5, 5, Side::AsPassed),
                                 bar(*style, 6, 5, Side::AsPassed),
                                 bar(*style, -5, 6, Side::AsPassed)};
        EXPECT_EQ(asList(list, view), oneByOne(list, view)) << "alpha " << style->alpha;
    }
    for (int round = 0; round < 60; ++round) {
        // Scales of whole pixels per unit, and of fractions that land between them.
        const double scale = round % 2 == 0 ? 10.0 : 7.3;
        const double originX = round % 3 == 0 ? 100.0 : 100.5;
        const PaintView view = wholePixels(originX, 190.0, scale);
        StrokeList list;
        const int count = std::uniform_int_distribution<int>(2, 30)(random);
        std::uniform_int_distribution<int> cell(-3, 3), height(-1, 3), pick(0, 6), side(0, 2);
        const StrokeStyle* style = styles[pick(random)];
        for (int i = 0; i < count; ++i) {
            if (random() % 8 == 0)
                style = styles[pick(random)];
            const float step = random() % 3 == 0 ? 0.25f : 1.0f;
            list.push_back(
                bar(*style, cell(random) * step, height(random) * step, sides[side(random)]));
        }
        ASSERT_EQ(asList(list, view), oneByOne(list, view)) << "round " << round;
    }
}

// The mirror image of an item centred on the centre line is the item itself;
// the painter strokes it once, which must cover what the pair covered in one
// stroke, dashes and translucency included.
TEST(PainterSharing, AMirrorImageOnTheItemItselfPaintsAsThePair) {
    std::mt19937 random(test::randomTestSeed());
    std::uniform_real_distribution<double> radius(0.5, 85.0), offset(0.0, 1.0);
    const StrokeStyle* styles[] = {&styleConstruction, &styleGuide, &styleOutline,
                                   &styleCentreLine};
    for (int round = 0; round < 24; ++round) {
        const StrokeStyle& style = *styles[round % 4];
        PaintView view;  // a free view: positions between pixels
        view.scale = 1.0;
        view.originX = 100.0 + offset(random);
        view.originY = 100.0 + offset(random);
        const float r = static_cast<float>(radius(random));
        const float y = static_cast<float>(offset(random) * 20.0 - 10.0);
        StrokeList items = {
            stroke(StrokeKind::Circle, style, {0, y, r}),
            stroke(StrokeKind::Line, style, {0, -90, 0, y}),
            stroke(StrokeKind::Point, style, {0, y}, Side::Both, PointMarker::Cross)};
        for (const Stroke& item : items) {
            const auto pair = pixels([&](cairo_t* cr) {
                cairo_set_line_width(cr, style.lineWidth);
                cairo_set_source_rgba(cr, style.red, style.green, style.blue, style.alpha);
                cairo_set_dash(cr, style.dashes, style.dashCount, style.dashOffset);
                double x = 0.0, dy = 0.0, bottom = 0.0;
                view.toDevice(0.0, y, x, dy);
                view.toDevice(0.0, -90.0, x, bottom);
                for (int copy = 0; copy < 2; ++copy) {
                    if (item.kind == StrokeKind::Circle) {
                        cairo_new_sub_path(cr);
                        cairo_arc(cr, x, dy, r, 0.0, 2.0 * PI_SINGLE);
                    } else if (item.kind == StrokeKind::Line) {
                        cairo_move_to(cr, x, bottom);
                        cairo_line_to(cr, x, dy);
                    } else {
                        const double arm = POINT_CROSS_ARM;
                        cairo_move_to(cr, x - arm, dy);
                        cairo_line_to(cr, x + arm, dy);
                        cairo_move_to(cr, x, dy - arm);
                        cairo_line_to(cr, x, dy + arm);
                    }
                }
                cairo_stroke(cr);
            });
            EXPECT_EQ(asList({item}, view), pair)
                << "round " << round << " kind " << static_cast<int>(item.kind) << " r " << r;
        }
    }
}

}  // namespace
}  // namespace bowlyn

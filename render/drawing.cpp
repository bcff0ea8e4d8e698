#include "render/drawing.h"

#include <cairo.h>

#include <cmath>

namespace bowlyn {
namespace {

// Beyond these the geometry is far outside the image; cairo would spend
// unbounded time splitting such arcs into segments, so they are not painted.
constexpr double MAX_PIXEL_RADIUS = 1.0e6;
constexpr double MAX_ANGLE = 1.0e3;

bool finite(double v) {
    return std::isfinite(v);
}

cairo_t* beginStroke(cairo_surface_t* surface, const StrokeStyle& style) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, style.lineWidth);
    cairo_set_source_rgba(cr, style.red, style.green, style.blue, style.alpha);
    cairo_set_dash(cr, style.dashes, style.dashCount, style.dashOffset);
    return cr;
}

void endStroke(cairo_t* cr) {
    cairo_stroke(cr);
    cairo_destroy(cr);
}

float mirrorAngle(float a) {
    double m = a < PI_SINGLE ? static_cast<double>(PI_SINGLE) - a : 2.0 * PI_SINGLE + PI_SINGLE - a;
    return static_cast<float>(m);
}

}  // namespace

float radiansToDegrees(float a) {
    if (a == 0.0f)
        return 0.0f;
    return static_cast<float>(180.0 / (static_cast<double>(PI_SINGLE) / a));
}

void mirrorArcAngles(float a1, float a2, float& m1, float& m2) {
    m1 = mirrorAngle(a2);
    m2 = mirrorAngle(a1);
}

void Drawing::record(float kind, float layer, int side, const float* values,
                     const float* mirrored) {
    if (layer == LAYER_NONE)
        return;
    Entity e;
    e.kind = kind;
    e.layer = layer;
    if (side >= 0) {
        for (int i = 0; i < 5; ++i)
            e.v[i] = values[i];
        entities.add(e);
    }
    if (side != 0) {
        for (int i = 0; i < 5; ++i)
            e.v[i] = mirrored[i];
        entities.add(e);
    }
}

void Drawing::drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, int side,
                       float layer, int recordOnly) {
    const float values[5] = {x1, y1, x2, y2, 0.0f};
    const float mirrored[5] = {x1 * -1.0f, y1, x2 * -1.0f, y2, 0.0f};
    record(static_cast<float>(EntityKind::Line), layer, side, values, mirrored);
    if (recordOnly || !painting)
        return;

    view.toPixel(x1, y1);
    view.toPixel(x2, y2);
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
        return;
    double mirror = 2.0 * view.originX;
    cairo_t* cr = beginStroke(surface.cairo(), style);
    if (side >= 0) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    }
    if (side != 0) {
        cairo_move_to(cr, mirror - x1, y1);
        cairo_line_to(cr, mirror - x2, y2);
    }
    endStroke(cr);
}

void Drawing::drawPoint(const StrokeStyle& style, float x, float y, int marker, int side,
                        float layer, int recordOnly) {
    const float values[5] = {x, y, 0.0f, 0.0f, 0.0f};
    const float mirrored[5] = {x * -1.0f, y, 0.0f, 0.0f, 0.0f};
    record(static_cast<float>(EntityKind::Point), layer, side, values, mirrored);
    if (recordOnly || !painting)
        return;

    view.toPixel(x, y);
    if (!finite(x) || !finite(y))
        return;
    double half = std::nearbyint(style.lineWidth / 2.0);  // halves to even
    cairo_t* cr = beginStroke(surface.cairo(), style);
    auto path = [&](double px) {
        if (marker == 1) {
            cairo_move_to(cr, px - 4, y);
            cairo_line_to(cr, px + 4, y);
            cairo_move_to(cr, px, y - 4);
            cairo_line_to(cr, px, y + 4);
        } else {
            cairo_move_to(cr, px - half, y);
            cairo_line_to(cr, px + half, y);
        }
    };
    if (side >= 0)
        path(x);
    if (side != 0)
        path(2.0 * view.originX - x);
    endStroke(cr);
}

void Drawing::drawCircle(const StrokeStyle& style, float cx, float cy, float r, int side,
                         float layer, int recordOnly) {
    const float values[5] = {cx, cy, r, 0.0f, 0.0f};
    const float mirrored[5] = {cx * -1.0f, cy, r, 0.0f, 0.0f};
    record(static_cast<float>(EntityKind::Circle), layer, side, values, mirrored);
    if (recordOnly || !painting)
        return;

    float pr = view.toPixelLength(r);
    view.toPixel(cx, cy);
    if (!finite(cx) || !finite(cy) || !finite(pr) || std::fabs(pr) > MAX_PIXEL_RADIUS)
        return;
    const double fullTurn = 2.0 * PI_SINGLE;
    cairo_t* cr = beginStroke(surface.cairo(), style);
    if (side >= 0) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, pr, 0.0, fullTurn);
    }
    if (side != 0) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 2.0 * view.originX - cx, cy, pr, 0.0, fullTurn);
    }
    endStroke(cr);
}

void Drawing::drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                      int side, float layer, int recordOnly) {
    if (a1 == a2)
        return;
    float m1 = 0.0f, m2 = 0.0f;
    mirrorArcAngles(a1, a2, m1, m2);
    const float values[5] = {cx, cy, r, radiansToDegrees(a1), radiansToDegrees(a2)};
    const float mirrored[5] = {cx * -1.0f, cy, r, radiansToDegrees(m1), radiansToDegrees(m2)};
    record(static_cast<float>(EntityKind::Arc), layer, side, values, mirrored);
    if (recordOnly || !painting)
        return;

    float pr = view.toPixelLength(r);
    float mx = -cx, my = cy;
    view.toPixel(mx, my);
    view.toPixel(cx, cy);
    if (!finite(cx) || !finite(cy) || !finite(mx) || !finite(pr) ||
        std::fabs(pr) > MAX_PIXEL_RADIUS || !(std::fabs(a1) < MAX_ANGLE) ||
        !(std::fabs(a2) < MAX_ANGLE))
        return;
    const double fullTurn = 2.0 * PI_SINGLE;
    cairo_t* cr = beginStroke(surface.cairo(), style);
    if (side >= 0) {
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, pr, fullTurn - a1, fullTurn - a2);
    }
    if (side != 0) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, mx, cy, pr, a1 + static_cast<double>(PI_SINGLE),
                  a2 + static_cast<double>(PI_SINGLE));
    }
    endStroke(cr);
}

}  // namespace bowlyn

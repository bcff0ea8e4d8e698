#include "render/painter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace bowlyn {
namespace {

// Beyond these the geometry is far outside any picture; cairo would spend
// unbounded time splitting such arcs into segments.
constexpr double MAX_DEVICE_RADIUS = 1.0e6;
constexpr double MAX_ANGLE = 1.0e3;

constexpr double FULL_TURN = 2.0 * PI_SINGLE;

bool finite(double v) {
    return std::isfinite(v);
}

// Model to device for one item: the view, moved for the item's alignment.
// In whole pixels it repeats the fitted view's arithmetic in singles, so the
// 660 image keeps every pixel it had.
class Mapping {
  public:
    Mapping(const PaintView& view, const DisplayItem& item) : view_(view) {
        if (view.wholePixels) {
            const auto scale = static_cast<float>(view.scale);
            whole_ = {scale, scale, static_cast<float>(view.originX),
                      static_cast<float>(view.originY)};
            if (item.alignAt != item.alignFrom)
                alignWhole(item.alignAt, item.alignFrom);
        } else {
            shift_ = static_cast<double>(item.alignAt) - item.alignFrom;
        }
    }

    void point(float x, float y, double& dx, double& dy) const {
        if (view_.wholePixels) {
            whole_.toPixel(x, y);
            dx = x;
            dy = y;
        } else {
            view_.toDevice(x, y + shift_, dx, dy);
        }
    }

    double length(float r) const {
        return view_.wholePixels ? whole_.toPixelLength(r) : view_.scale * r;
    }

    // Device x of the mirror image of a point painted at device x `dx`.
    double mirror(double dx) const {
        const double originX = view_.wholePixels ? whole_.originX : view_.originX;
        return 2.0 * originX - dx;
    }

  private:
    // The rows of y = at and y = from, each rounded, set the moved origin.
    void alignWhole(float at, float from) {
        float x = 0.0f;
        whole_.toPixel(x, at);
        x = 0.0f;
        whole_.toPixel(x, from);
        whole_.originY = static_cast<float>(static_cast<double>(at) + whole_.originY - from);
    }

    const PaintView& view_;
    ViewTransform whole_;
    double shift_ = 0.0;  // model y added by the alignment
};

}  // namespace

PaintView PaintView::image(const ViewTransform& fitted) {
    PaintView v;
    v.scale = fitted.scaleX;
    v.originX = fitted.originX;
    v.originY = fitted.originY;
    v.wholePixels = true;
    return v;
}

void PaintView::toDevice(double x, double y, double& dx, double& dy) const {
    dx = originX + scale * x;
    dy = originY - scale * y;
}

void Painter::paint(const DisplayList& list) const {
    cairo_save(cr_);
    for (const DisplayItem& item : list)
        stroke(item);
    cairo_restore(cr_);
}

void Painter::paint(const DisplayItem& item) const {
    cairo_save(cr_);
    stroke(item);
    cairo_restore(cr_);
}

// Sets the style's line, colour and dashes and returns the line width used.
double Painter::beginStroke(const StrokeStyle& style) const {
    const double width =
        view_.lineWidth > 0.0 ? view_.lineWidth : style.lineWidth * view_.stylePixel;
    cairo_set_line_width(cr_, width);
    cairo_set_source_rgba(cr_, style.red, style.green, style.blue, style.alpha);
    double dashes[5];
    const int count = std::clamp(style.dashCount, 0, 5);
    for (int i = 0; i < count; ++i)
        dashes[i] = style.dashes[i] * view_.stylePixel;
    cairo_set_dash(cr_, dashes, count, style.dashOffset * view_.stylePixel);
    return width;
}

void Painter::stroke(const DisplayItem& item) const {
    const Mapping m(view_, item);
    const float* v = item.v;
    const bool asPassed = drawsAsPassed(item.side), mirrored = drawsMirror(item.side);
    switch (item.kind) {
        case StrokeKind::Line: {
            double x1, y1, x2, y2;
            m.point(v[0], v[1], x1, y1);
            m.point(v[2], v[3], x2, y2);
            if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
                return;
            beginStroke(*item.style);
            if (asPassed) {
                cairo_move_to(cr_, x1, y1);
                cairo_line_to(cr_, x2, y2);
            }
            if (mirrored) {
                cairo_move_to(cr_, m.mirror(x1), y1);
                cairo_line_to(cr_, m.mirror(x2), y2);
            }
            break;
        }
        case StrokeKind::Point: {
            double x, y;
            m.point(v[0], v[1], x, y);
            if (!finite(x) || !finite(y))
                return;
            const double width = beginStroke(*item.style);
            // A bar is a square dot as wide as the line; in whole pixels its
            // half length rounds with halves to even, so width 1 paints nothing.
            const double half = view_.wholePixels ? std::nearbyint(width / 2.0) : width / 2.0;
            const double arm = POINT_CROSS_ARM * view_.stylePixel;
            auto path = [&](double px) {
                if (item.cross) {
                    cairo_move_to(cr_, px - arm, y);
                    cairo_line_to(cr_, px + arm, y);
                    cairo_move_to(cr_, px, y - arm);
                    cairo_line_to(cr_, px, y + arm);
                } else {
                    cairo_move_to(cr_, px - half, y);
                    cairo_line_to(cr_, px + half, y);
                }
            };
            if (asPassed)
                path(x);
            if (mirrored)
                path(m.mirror(x));
            break;
        }
        case StrokeKind::Circle: {
            const double r = m.length(v[2]);
            double x, y;
            m.point(v[0], v[1], x, y);
            if (!finite(x) || !finite(y) || !finite(r) || std::fabs(r) > MAX_DEVICE_RADIUS)
                return;
            beginStroke(*item.style);
            if (asPassed) {
                cairo_new_sub_path(cr_);
                cairo_arc(cr_, x, y, r, 0.0, FULL_TURN);
            }
            if (mirrored) {
                cairo_new_sub_path(cr_);
                cairo_arc(cr_, m.mirror(x), y, r, 0.0, FULL_TURN);
            }
            break;
        }
        case StrokeKind::Arc: {
            const float a1 = v[3], a2 = v[4];
            const double r = m.length(v[2]);
            double x, y, mx, my;
            // The mirror image's centre is the mirrored model point, rounded
            // on its own.
            m.point(-v[0], v[1], mx, my);
            m.point(v[0], v[1], x, y);
            if (!finite(x) || !finite(y) || !finite(mx) || !finite(r) ||
                std::fabs(r) > MAX_DEVICE_RADIUS || !(std::fabs(a1) < MAX_ANGLE) ||
                !(std::fabs(a2) < MAX_ANGLE))
                return;
            beginStroke(*item.style);
            // Device y runs down, so the model's counter-clockwise is cairo's
            // negative direction; the mirror image runs the other way.
            if (asPassed) {
                cairo_new_sub_path(cr_);
                cairo_arc_negative(cr_, x, y, r, FULL_TURN - a1, FULL_TURN - a2);
            }
            if (mirrored) {
                cairo_new_sub_path(cr_);
                cairo_arc(cr_, mx, y, r, a1 + static_cast<double>(PI_SINGLE),
                          a2 + static_cast<double>(PI_SINGLE));
            }
            break;
        }
    }
    cairo_stroke(cr_);
}

void paintBackground(cairo_t* cr, double width, double height) {
    cairo_save(cr);
    const StrokeStyle& bg = styleBackground;
    cairo_set_source_rgba(cr, bg.red, bg.green, bg.blue, bg.alpha);
    cairo_paint(cr);
    // The frame lies on the border, so only the inner half of its line shows.
    const StrokeStyle& frame = styleFrame;
    cairo_set_line_width(cr, frame.lineWidth);
    cairo_set_source_rgba(cr, frame.red, frame.green, frame.blue, frame.alpha);
    cairo_rectangle(cr, 0.0, 0.0, width, height);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace bowlyn

#include "render/painter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "model/angles.h"
#include "render/clipped_paths.h"

namespace bowlyn {
namespace {

// Beyond these the geometry is far outside any picture; cairo would spend
// unbounded time splitting such arcs into segments. A free view paints only
// the visible part of a circle and can go much further, as far as doubles
// place its points to a small fraction of a pixel.
constexpr double MAX_DEVICE_RADIUS = 1.0e6;
constexpr double MAX_FREE_RADIUS = 1.0e8;
// How far a free view's polyline may stray from a true circle, in device
// units: cairo's own default tolerance.
constexpr double TOLERANCE = 0.1;
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
    Mapping(const PaintView& view, const Stroke& item) : view_(view) {
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

static DeviceRect visibleRect(cairo_t* cr) {
    DeviceRect r;
    cairo_clip_extents(cr, &r.left, &r.top, &r.right, &r.bottom);
    return r;
}

void Painter::paint(const StrokeList& list) const {
    Shown shown;
    shown.reserve(list.size());
    for (const Stroke& s : list) {
        if (s.shown())
            shown.push_back(&s);
    }
    cairo_save(cr_);
    const DeviceRect visible = visibleRect(cr_);
    for (std::size_t i = 0; i < shown.size();) {
        const std::size_t next = paintSquares(shown, i);
        if (next > i) {
            i = next;
        } else {
            stroke(*shown[i], visible);
            ++i;
        }
    }
    cairo_restore(cr_);
}

namespace {

bool whole(double v) {
    return std::isfinite(v) && v == std::floor(v);
}

}  // namespace

// A bar point of an opaque solid style whose squares cover whole pixels and
// nothing else: each pixel under it simply takes the style's colour, whatever
// was there and however many squares cover it. Its neighbours of the same
// style can therefore share one stroke with exactly the pixels of one stroke
// each (the grid's dots: cairo's set-up of a stroke costs more than a dot).
bool Painter::paintsWholePixelSquares(const Stroke& item) const {
    const StrokeStyle& style = *item.style;
    if (!view_.wholePixels || item.kind != StrokeKind::Point || item.marker == PointMarker::Cross ||
        style.alpha != 1.0 || style.dashCount > 0)
        return false;
    const double width =
        view_.lineWidth > 0.0 ? view_.lineWidth : style.lineWidth * view_.stylePixel;
    const double half = std::nearbyint(width / 2.0);
    if (!(half > 0.0) || width != 2.0 * half)
        return false;
    const Mapping m(view_, item);
    double x, y;
    m.point(static_cast<float>(item.v[0]), static_cast<float>(item.v[1]), x, y);
    return whole(x) && whole(y) && whole(m.mirror(x));
}

// Paints the run of such squares of one style that begins at `first` as one
// stroke and returns the index after it; `first` when there is no run of two.
std::size_t Painter::paintSquares(const Shown& list, std::size_t first) const {
    std::size_t end = first;
    while (end < list.size() && list[end]->style == list[first]->style &&
           paintsWholePixelSquares(*list[end]))
        ++end;
    if (end - first < 2)
        return first;
    const double half = std::nearbyint(beginStroke(*list[first]->style) / 2.0);
    for (std::size_t i = first; i < end; ++i) {
        const Stroke& item = *list[i];
        const Mapping m(view_, item);
        double x, y;
        m.point(static_cast<float>(item.v[0]), static_cast<float>(item.v[1]), x, y);
        if (drawsAsPassed(item.side)) {
            cairo_move_to(cr_, x - half, y);
            cairo_line_to(cr_, x + half, y);
        }
        if (drawsMirror(item.side)) {
            cairo_move_to(cr_, m.mirror(x) - half, y);
            cairo_line_to(cr_, m.mirror(x) + half, y);
        }
    }
    cairo_stroke(cr_);
    return end;
}

void Painter::paint(const Stroke& item) const {
    if (!item.shown())
        return;
    cairo_save(cr_);
    stroke(item, visibleRect(cr_));
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

namespace {

// One round of a style's dash pattern in device units; 0 for a solid line.
double dashPeriod(const StrokeStyle& style, double stylePixel) {
    double period = 0.0;
    for (int i = 0; i < std::clamp(style.dashCount, 0, 5); ++i)
        period += style.dashes[i];
    return period * stylePixel;
}

// A distance along a path moved back to a whole number of dash periods, so
// that a path begun there dashes exactly as the whole path would.
double onDashGrid(double distance, double period) {
    return period > 0.0 ? std::floor(distance / period) * period : distance;
}

// The visible part of a segment, begun on the dash grid of its true start.
void addClippedLine(cairo_t* cr, double x1, double y1, double x2, double y2, const DeviceRect& rect,
                    double period) {
    double t0, t1;
    if (!clipSegment(x1, y1, x2, y2, rect, t0, t1))
        return;
    const double length = std::hypot(x2 - x1, y2 - y1);
    if (length > 0.0)
        t0 = onDashGrid(t0 * length, period) / length;
    cairo_move_to(cr, x1 + (x2 - x1) * t0, y1 + (y2 - y1) * t0);
    cairo_line_to(cr, x1 + (x2 - x1) * t1, y1 + (y2 - y1) * t1);
}

// A circular path from angle `start` turning by `sweep` (cairo's angles):
// whole when it lies inside `rect`, else only its visible pieces, as short
// chords computed in doubles, so that a circle far larger than the view
// still shows where it crosses it.
void addArc(cairo_t* cr, double cx, double cy, double r, double start, double sweep,
            const DeviceRect& rect, double period) {
    if (cx - r >= rect.left && cx + r <= rect.right && cy - r >= rect.top &&
        cy + r <= rect.bottom) {
        cairo_new_sub_path(cr);
        if (sweep >= 0.0)
            cairo_arc(cr, cx, cy, r, start, start + sweep);
        else
            cairo_arc_negative(cr, cx, cy, r, start, start + sweep);
        return;
    }
    const double dir = sweep < 0.0 ? -1.0 : 1.0;
    const double step = r > TOLERANCE ? 2.0 * std::acos(1.0 - TOLERANCE / r) : 1.0;
    for (const auto& [from, to] : visibleSpans(cx, cy, r, start, sweep, rect)) {
        const double t0 = onDashGrid(from * r, period) / r;
        const int n = static_cast<int>(std::min(std::ceil((to - t0) / step), 100000.0));
        for (int i = 0; i <= n; ++i) {
            const double a = start + dir * (i == n ? to : t0 + i * step);
            const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
    }
}

// The sweep of cairo_arc (positive) or cairo_arc_negative from a1 to a2, at
// most one turn.
double sweepOf(double a1, double a2, bool negative) {
    double d = negative ? a1 - a2 : a2 - a1;
    if (d < 0.0)
        d = std::fmod(d, FULL_TURN) + FULL_TURN;
    d = std::min(d, FULL_TURN);
    return negative ? -d : d;
}

}  // namespace

// A free view (not whole pixels) paints only what can show: the parts of
// lines and circles inside the visible area, so that a close zoom costs no
// more than the fitted view and geometry far outside never reaches cairo's
// limited range.
//
// A mirror image that falls exactly on the item itself (a circle centred on
// the centre line) is left out: the same sub-path twice in one stroke covers
// exactly the pixels it covers once, and costs cairo twice the work.
void Painter::stroke(const Stroke& item, const DeviceRect& visible) const {
    const Mapping m(view_, item);
    // The view's arithmetic runs on the singles the pass drew with.
    float v[5];
    for (int i = 0; i < 5; ++i)
        v[i] = static_cast<float>(item.v[i]);
    const bool asPassed = drawsAsPassed(item.side);
    bool mirrored = drawsMirror(item.side);
    const bool free = !view_.wholePixels;
    const double period = dashPeriod(*item.style, view_.stylePixel);
    switch (item.kind) {
        case StrokeKind::Line: {
            double x1, y1, x2, y2;
            m.point(v[0], v[1], x1, y1);
            m.point(v[2], v[3], x2, y2);
            if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
                return;
            mirrored = mirrored && !(asPassed && m.mirror(x1) == x1 && m.mirror(x2) == x2);
            const double width = beginStroke(*item.style);
            if (free) {
                const DeviceRect rect = visible.grown(width + 2.0);
                if (asPassed)
                    addClippedLine(cr_, x1, y1, x2, y2, rect, period);
                if (mirrored)
                    addClippedLine(cr_, m.mirror(x1), y1, m.mirror(x2), y2, rect, period);
                break;
            }
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
            mirrored = mirrored && !(asPassed && m.mirror(x) == x);
            const double width = beginStroke(*item.style);
            // A bar is a square dot as wide as the line; in whole pixels its
            // half length rounds with halves to even, so width 1 paints nothing.
            const double half = view_.wholePixels ? std::nearbyint(width / 2.0) : width / 2.0;
            const double arm = POINT_CROSS_ARM * view_.stylePixel;
            const DeviceRect rect = visible.grown(arm + width + 2.0);
            auto path = [&](double px) {
                if (free && !rect.contains(px, y))
                    return;
                if (item.marker == PointMarker::Cross) {
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
            const double limit = free ? MAX_FREE_RADIUS : MAX_DEVICE_RADIUS;
            if (!finite(x) || !finite(y) || !finite(r) || std::fabs(r) > limit)
                return;
            mirrored = mirrored && !(asPassed && m.mirror(x) == x);
            const double width = beginStroke(*item.style);
            if (free) {
                if (!(r > 0.0))
                    return;
                const DeviceRect rect = visible.grown(width + 2.0 + r * 1e-8);
                if (asPassed)
                    addArc(cr_, x, y, r, 0.0, FULL_TURN, rect, period);
                if (mirrored)
                    addArc(cr_, m.mirror(x), y, r, 0.0, FULL_TURN, rect, period);
                break;
            }
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
            const double limit = free ? MAX_FREE_RADIUS : MAX_DEVICE_RADIUS;
            if (!finite(x) || !finite(y) || !finite(mx) || !finite(r) || std::fabs(r) > limit ||
                !(std::fabs(a1) < MAX_ANGLE) || !(std::fabs(a2) < MAX_ANGLE))
                return;
            const double width = beginStroke(*item.style);
            // Device y runs down, so the model's counter-clockwise is cairo's
            // negative direction; the mirror image runs the other way.
            const double pi = PI_SINGLE;
            if (free) {
                if (!(r > 0.0))
                    return;
                const DeviceRect rect = visible.grown(width + 2.0 + r * 1e-8);
                if (asPassed)
                    addArc(cr_, x, y, r, FULL_TURN - a1,
                           sweepOf(FULL_TURN - a1, FULL_TURN - a2, true), rect, period);
                if (mirrored)
                    addArc(cr_, mx, y, r, a1 + pi, sweepOf(a1 + pi, a2 + pi, false), rect, period);
                break;
            }
            if (asPassed) {
                cairo_new_sub_path(cr_);
                cairo_arc_negative(cr_, x, y, r, FULL_TURN - a1, FULL_TURN - a2);
            }
            if (mirrored) {
                cairo_new_sub_path(cr_);
                cairo_arc(cr_, mx, y, r, a1 + pi, a2 + pi);
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

#include "render/drawing_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace bowlyn {

bool DrawingView::imageView() const {
    return following_ && width_ == DRAWING_WIDTH && height_ == DRAWING_HEIGHT;
}

// The 660 image scaled evenly into the area and centred in it.
PaintView DrawingView::fittedView() const {
    const double f = std::min(width_, height_) / static_cast<double>(DRAWING_WIDTH);
    const double left = (width_ - DRAWING_WIDTH * f) / 2.0;
    const double top = (height_ - DRAWING_HEIGHT * f) / 2.0;
    PaintView v;
    v.scale = f * fitted_.scaleX;
    v.originX = left + f * fitted_.originX;
    v.originY = top + f * fitted_.originY;
    return v;
}

PaintView DrawingView::paintView() const {
    if (following_)
        return fittedView();
    PaintView v;
    v.scale = scale_;
    v.originX = originX_;
    v.originY = originY_;
    return v;
}

double DrawingView::zoom() const {
    const double fit = fittedView().scale;
    return following_ || !(fit > 0.0) ? 1.0 : scale_ / fit;
}

void DrawingView::setArea(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (!following_) {
        originX_ += (width - width_) / 2.0;
        originY_ += (height - height_) / 2.0;
    }
    width_ = width;
    height_ = height;
}

bool DrawingView::zoomAbout(double px, double py, double factor) {
    const PaintView now = paintView();
    const double fit = fittedView().scale;
    if (!(fit > 0.0) || !(factor > 0.0) || !std::isfinite(fit))
        return false;
    const double scale = std::clamp(now.scale * factor, fit * MIN_ZOOM, fit * MAX_ZOOM);
    if (scale == now.scale)
        return false;
    const double k = scale / now.scale;
    scale_ = scale;
    originX_ = px - (px - now.originX) * k;
    originY_ = py - (py - now.originY) * k;
    following_ = false;
    return true;
}

void DrawingView::panBy(double dx, double dy) {
    if (following_) {
        const PaintView now = fittedView();
        if (!(now.scale > 0.0))
            return;
        scale_ = now.scale;
        originX_ = now.originX;
        originY_ = now.originY;
        following_ = false;
    }
    originX_ += dx;
    originY_ += dy;
}

void DrawingView::lengthsScaled(double factor) {
    if (!following_ && factor > 0.0)
        scale_ /= factor;
}

namespace {

constexpr double PI = 3.14159265358979323846;

// The smallest rectangle, in model units, around what is drawn.
struct Extent {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;

    void add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = any ? std::min(minX, x) : x;
        maxX = any ? std::max(maxX, x) : x;
        minY = any ? std::min(minY, y) : y;
        maxY = any ? std::max(maxY, y) : y;
        any = true;
    }
};

// The arc's ends and every quarter of its circle that it passes, counter-
// clockwise from a1 to a2 (radians), each given to `put`.
template <class Put>
void arcExtremes(double cx, double cy, double r, double a1, double a2, Put put) {
    double sweep = std::fmod(a2 - a1, 2.0 * PI);
    if (sweep <= 0.0)
        sweep += 2.0 * PI;
    put(cx + r * std::cos(a1), cy + r * std::sin(a1));
    put(cx + r * std::cos(a1 + sweep), cy + r * std::sin(a1 + sweep));
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double a = quarter * PI / 2.0;
        if (std::fmod(a - a1 + 4.0 * PI, 2.0 * PI) <= sweep)
            put(cx + r * std::cos(a), cy + r * std::sin(a));
    }
}

// A stroke's points and extremes on the sides it draws, an arc's angles in
// radians.
template <class Put>
void strokeExtent(const Stroke& it, Put put) {
    const double* v = it.v;
    switch (it.kind) {
        case StrokeKind::Line:
            put(v[0], v[1]);
            put(v[2], v[3]);
            break;
        case StrokeKind::Point:
            put(v[0], v[1]);
            break;
        case StrokeKind::Circle:
            put(v[0] - v[2], v[1] - v[2]);
            put(v[0] + v[2], v[1] + v[2]);
            break;
        case StrokeKind::Arc:
            arcExtremes(v[0], v[1], v[2], v[3], v[4], put);
            break;
    }
}

// What a pass recorded: the outline, neck, nut, fretboard, frets, strings
// and the reference lines as far as they belong to the design; when it
// recorded nothing (it stopped before the design's drawing), everything it
// painted, mirror images included.
Extent extentOf(const StrokeList& strokes) {
    Extent e;
    const auto put = [&e](double x, double y) { e.add(x, y); };
    forEachRecorded(strokes, [&](const Stroke& s) { strokeExtent(s, put); });
    if (e.any)
        return e;
    for (const Stroke& it : strokes) {
        if (!it.shown())
            continue;
        strokeExtent(it, [&e, &it](double x, double y) {
            if (drawsAsPassed(it.side))
                e.add(x, y);
            if (drawsMirror(it.side))
                e.add(-x, y);
        });
    }
    return e;
}

}  // namespace

void DrawingView::fitWhole(const StrokeList& strokes) {
    constexpr double MARGIN = 20.0;  // pixels, as the fitted view leaves
    following_ = true;
    const Extent e = extentOf(strokes);
    const PaintView f = fittedView();
    if (!e.any || !(f.scale > 0.0) || !std::isfinite(f.scale))
        return;
    const double left = f.originX + e.minX * f.scale, right = f.originX + e.maxX * f.scale;
    const double top = f.originY - e.maxY * f.scale, bottom = f.originY - e.minY * f.scale;
    if (left >= 0.0 && right <= width_ && top >= 0.0 && bottom <= height_)
        return;
    const double w = std::max(e.maxX - e.minX, 1e-9), h = std::max(e.maxY - e.minY, 1e-9);
    double scale = std::min((width_ - 2.0 * MARGIN) / w, (height_ - 2.0 * MARGIN) / h);
    scale = std::clamp(scale, f.scale * MIN_ZOOM, f.scale * MAX_ZOOM);
    scale_ = scale;
    originX_ = width_ / 2.0 - scale * (e.minX + e.maxX) / 2.0;
    originY_ = height_ / 2.0 + scale * (e.minY + e.maxY) / 2.0;
    following_ = false;
}

bool DrawingView::toModel(double px, double py, double& x, double& y) const {
    const PaintView v = paintView();
    if (!(v.scale > 0.0) || !std::isfinite(v.scale))
        return false;
    x = (px - v.originX) / v.scale;
    y = (v.originY - py) / v.scale;
    return true;
}

void DrawingView::paint(cairo_t* cr, const StrokeList& list) const {
    paintBackground(cr, width_, height_);
    if (paintView().scale > 0.0)
        Painter(cr, paintView()).paint(list);
}

namespace {

std::string twoDecimals(double v) {
    // Rounded first, so that -0.001 reads 0.00 rather than -0.00.
    v = std::round(v * 100.0) / 100.0 + 0.0;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : "?";
}

}  // namespace

std::string pointerText(double x, double y, const char* unit) {
    return "x " + twoDecimals(x) + "  y " + twoDecimals(y) + " " + unit;
}

}  // namespace bowlyn

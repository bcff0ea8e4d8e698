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

std::string pointerText(double x, double y) {
    return "x " + twoDecimals(x) + "  y " + twoDecimals(y);
}

}  // namespace bowlyn

#include "app/drawing_ruler.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace bowlyn {
namespace {

constexpr double LINE_WIDTH = 1.5;  // pixels
constexpr double END_TICK = 6.0;    // half the tick across each end
constexpr double MARKER = 5.0;      // radius of the snap marker
constexpr double LABEL_GAP = 8.0;   // from the ruler's middle to its text
constexpr double LABEL_PAD = 3.0;

// A colour the drawing itself never uses, so the ruler is never taken for a
// line of the design.
void rulerColour(cairo_t* cr) {
    cairo_set_source_rgb(cr, 0.85, 0.1, 0.5);
}

struct Device {
    double x = 0, y = 0;
};

Device toDevice(const PaintView& v, double x, double y) {
    Device d;
    v.toDevice(x, y, d.x, d.y);
    return d;
}

void strokeLine(cairo_t* cr, Device a, Device b) {
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

// The ruler's line with a tick across each end, so that each end shows where
// it lies even on a line of the drawing.
void strokeRuler(cairo_t* cr, Device a, Device b) {
    rulerColour(cr);
    cairo_set_line_width(cr, LINE_WIDTH);
    strokeLine(cr, a, b);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0.0))
        return;
    const double nx = -(b.y - a.y) / length * END_TICK, ny = (b.x - a.x) / length * END_TICK;
    for (const Device& end : {a, b})
        strokeLine(cr, {end.x - nx, end.y - ny}, {end.x + nx, end.y + ny});
}

// The text on a pale box beside the ruler's middle, kept within the area.
void label(cairo_t* cr, GtkWidget* widget, const std::string& text, Device a, Device b, int width,
           int height) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    if (widget)
        pango_layout_set_font_description(layout, gtk_widget_get_style(widget)->font_desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    const double x = std::clamp((a.x + b.x) / 2.0 - w / 2.0, LABEL_PAD, width - w - LABEL_PAD);
    const double y =
        std::clamp((a.y + b.y) / 2.0 - h - LABEL_GAP, LABEL_PAD, height - h - LABEL_PAD);
    cairo_set_source_rgba(cr, 1.0, 1.0, 0.92, 0.9);
    cairo_rectangle(cr, x - LABEL_PAD, y - LABEL_PAD, w + 2 * LABEL_PAD, h + 2 * LABEL_PAD);
    cairo_fill(cr);
    rulerColour(cr);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

// A ring round the point caught, with a cross in it for a centre.
void snapMarker(cairo_t* cr, Device p, SnapKind kind) {
    rulerColour(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, p.x, p.y, MARKER, 0.0, 2.0 * M_PI);
    cairo_stroke(cr);
    if (kind == SnapKind::Centre) {
        strokeLine(cr, {p.x - MARKER, p.y}, {p.x + MARKER, p.y});
        strokeLine(cr, {p.x, p.y - MARKER}, {p.x, p.y + MARKER});
    }
}

}  // namespace

void DrawingRuler::begin() {
    stage_ = Stage::First;
    complete_ = false;
}

void DrawingRuler::clear() {
    stage_ = Stage::Idle;
    complete_ = false;
    pointer_.reset();
}

void DrawingRuler::click(double x, double y) {
    if (stage_ == Stage::First) {
        x1_ = x;
        y1_ = y;
        stage_ = Stage::Second;
    } else if (stage_ == Stage::Second) {
        x2_ = x;
        y2_ = y;
        complete_ = true;
        stage_ = Stage::Idle;
        pointer_.reset();
    }
}

void DrawingRuler::pointerAt(double x, double y, std::optional<SnapKind> snapped) {
    pointer_ = Pointer{x, y, snapped};
}

void DrawingRuler::scale(double factor) {
    for (double* v : {&x1_, &y1_, &x2_, &y2_})
        *v *= factor;
    pointer_.reset();
}

std::string DrawingRuler::text(DesignUnits units) const {
    return complete_ ? rulerText(x1_, y1_, x2_, y2_, units) : "";
}

void DrawingRuler::paint(cairo_t* cr, GtkWidget* widget, const PaintView& view, int width,
                         int height, DesignUnits units) const {
    if (!(view.scale > 0.0))
        return;
    cairo_save(cr);
    if (complete_) {
        const Device a = toDevice(view, x1_, y1_), b = toDevice(view, x2_, y2_);
        strokeRuler(cr, a, b);
        label(cr, widget, rulerText(x1_, y1_, x2_, y2_, units), a, b, width, height);
    } else if (stage_ == Stage::Second && pointer_) {
        const Device a = toDevice(view, x1_, y1_), b = toDevice(view, pointer_->x, pointer_->y);
        strokeRuler(cr, a, b);
        label(cr, widget, rulerText(x1_, y1_, pointer_->x, pointer_->y, units), a, b, width,
              height);
    }
    if (placing() && pointer_ && pointer_->snapped)
        snapMarker(cr, toDevice(view, pointer_->x, pointer_->y), *pointer_->snapped);
    cairo_restore(cr);
}

}  // namespace bowlyn

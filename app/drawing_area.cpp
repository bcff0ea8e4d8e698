#include "app/drawing_area.h"

#include <gdk/gdkkeysyms.h>

#include <string>

#include "app/gtk_form.h"
#include "model/output_table.h"
#include "model/units.h"
#include "session/session.h"

namespace bowlyn {

namespace {

constexpr double WHEEL_STEP = 1.25;  // zoom of one wheel notch or key press
constexpr double FOCUS_FRAME = 2.0;  // pixels, over the drawing's frame
// How near the pointer must come, in pixels, for a ruler's end to be caught
// by a point of the outline and for the readout to name a piece.
constexpr double SNAP_PIXELS = 6.0;
constexpr double HOVER_PIXELS = 4.0;

DrawingArea* self(gpointer data) {
    return static_cast<DrawingArea*>(data);
}

gboolean onExpose(GtkWidget*, GdkEventExpose* e, gpointer d) {
    return self(d)->exposed(e);
}
gboolean onPress(GtkWidget*, GdkEventButton* e, gpointer d) {
    return self(d)->pressed(e);
}
gboolean onRelease(GtkWidget*, GdkEventButton* e, gpointer d) {
    return self(d)->released(e);
}
gboolean onMotion(GtkWidget*, GdkEventMotion* e, gpointer d) {
    return self(d)->moved(e);
}
gboolean onScroll(GtkWidget*, GdkEventScroll* e, gpointer d) {
    return self(d)->scrolled(e);
}
gboolean onKey(GtkWidget*, GdkEventKey* e, gpointer d) {
    return self(d)->keyPressed(e);
}
gboolean onLeave(GtkWidget*, GdkEventCrossing*, gpointer d) {
    self(d)->left();
    return FALSE;
}
gboolean onFocus(GtkWidget*, GdkEventFocus*, gpointer d) {
    self(d)->focusChanged();
    return FALSE;
}

// Far from the drawing the readout outgrows its label and would run on under
// the status line beside it; it then shows x and y on lines of their own,
// each whole.
std::string fittedReadout(GtkWidget* label, std::string text) {
    if (!label)
        return text;
    int room = -1;
    gtk_widget_get_size_request(label, &room, nullptr);
    PangoLayout* layout = gtk_widget_create_pango_layout(label, text.c_str());
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    g_object_unref(layout);
    const size_t gap = text.find("  ");
    if (width > (room > 0 ? room : label->allocation.width) && gap != std::string::npos)
        text.replace(gap, 2, "\n");
    return text;
}

bool fitsLabel(GtkWidget* label, const std::string& markup) {
    int room = -1;
    gtk_widget_get_size_request(label, &room, nullptr);
    PangoLayout* layout = gtk_widget_create_pango_layout(label, nullptr);
    pango_layout_set_markup(layout, markup.c_str(), -1);
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    g_object_unref(layout);
    return width <= (room > 0 ? room : label->allocation.width);
}

// The piece under the pointer, in a smaller type than the position so that
// the longest names fit the label; an arc's centre is left out when even
// then its numbers would run on under the status line.
void showPiece(GtkWidget* label, const ProbedPiece& piece, DesignUnits units) {
    if (!label)
        return;
    std::string markup;
    for (bool brief : {false, true}) {
        gchar* escaped = g_markup_escape_text(pieceText(piece, units, brief).c_str(), -1);
        markup = std::string("<small>") + escaped + "</small>";
        g_free(escaped);
        if (fitsLabel(label, markup))
            break;
    }
    if (gtk_label_get_label(GTK_LABEL(label)) != markup)
        gtk_label_set_markup(GTK_LABEL(label), markup.c_str());
}

}  // namespace

DrawingArea::DrawingArea(GtkForm& form, Session& session)
    : form_(form),
      session_(session),
      image_(form.widget("drawingImage")),
      box_(form.widget("eventboxDrawing")),
      view_(session.view) {
    view_.setFitted(session.fittedView());
    session_.onLengthsScaled = [this](double factor) { lengthsScaled(factor); };
    if (image_)
        g_signal_connect(image_, "expose-event", G_CALLBACK(onExpose), this);
    if (!box_)
        return;
    gtk_widget_add_events(box_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK |
                                    GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(box_, "button-press-event", G_CALLBACK(onPress), this);
    g_signal_connect(box_, "button-release-event", G_CALLBACK(onRelease), this);
    g_signal_connect(box_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(box_, "scroll-event", G_CALLBACK(onScroll), this);
    g_signal_connect(box_, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(box_, "leave-notify-event", G_CALLBACK(onLeave), this);
    g_signal_connect(box_, "focus-in-event", G_CALLBACK(onFocus), this);
    g_signal_connect(box_, "focus-out-event", G_CALLBACK(onFocus), this);
}

DrawingArea::~DrawingArea() {
    session_.onLengthsScaled = nullptr;
    // The widgets outlive this object only inside a window being destroyed;
    // they must not call back into it.
    if (image_)
        g_signal_handlers_disconnect_by_data(image_, this);
    if (box_)
        g_signal_handlers_disconnect_by_data(box_, this);
    if (buffer_)
        cairo_surface_destroy(buffer_);
}

const StrokeList& DrawingArea::strokes() const {
    static const StrokeList none;
    return session_.pass() ? session_.pass()->strokes : none;
}

// A pass may have fitted the view anew, in another unit. The ruler and the
// readout catch the outline of the last complete pass, as its exports do.
void DrawingArea::show() {
    view_.setFitted(session_.fittedView());
    if (view_.imageView()) {
        surface_.clear();
        surface_.paint(strokes(), session_.fittedView());
        imageStale_ = false;
    } else {
        imageStale_ = true;
    }
    const PassResult* pass = session_.pass();
    probe_ = pass && pass->ok() ? OutlineProbe(pass->outline, pass->soundHole) : OutlineProbe();
    viewChanged();
}

void DrawingArea::beginMeasure() {
    takeFocus();
    ruler_.begin();
    measureCursor();
    followPointer();
    if (image_)
        gtk_widget_queue_draw(image_);
}

std::string DrawingArea::rulerText() const {
    return ruler_.text(session_.design.params.units);
}

void DrawingArea::lengthsScaled(double factor) {
    ruler_.scale(factor);
    viewChanged();
}

// A cross-hair while the clicks measure.
void DrawingArea::measureCursor() {
    if (!box_ || !gtk_widget_get_realized(box_))
        return;
    GdkCursor* cursor = ruler_.placing() ? gdk_cursor_new(GDK_CROSSHAIR) : nullptr;
    gdk_window_set_cursor(box_->window, cursor);
    if (cursor)
        gdk_cursor_unref(cursor);
}

double DrawingArea::modelDistance(double pixels) const {
    const double scale = view_.paintView().scale;
    return scale > 0.0 ? pixels / scale : 0.0;
}

void DrawingArea::ruleAt(double x, double y, bool free, bool click) {
    double mx = 0.0, my = 0.0;
    if (!view_.toModel(x, y, mx, my)) {
        ruler_.pointerGone();
        return;
    }
    std::optional<SnapKind> kind;
    if (!free) {
        if (const std::optional<SnapPoint> p = probe_.snap(mx, my, modelDistance(SNAP_PIXELS))) {
            mx = p->x;
            my = p->y;
            kind = p->kind;
        }
    }
    if (click) {
        ruler_.click(mx, my);
        measureCursor();
    } else {
        ruler_.pointerAt(mx, my, kind);
    }
    if (image_)
        gtk_widget_queue_draw(image_);
}

void DrawingArea::viewChanged() {
    bufferStale_ = true;
    if (image_)
        gtk_widget_queue_draw(image_);
    followPointer();
}

void DrawingArea::focusChanged() {
    if (image_)
        gtk_widget_queue_draw(image_);
}

// The keys + - 0 then go to the drawing, never to the entry typed in last.
void DrawingArea::takeFocus() {
    if (box_ && !gtk_widget_has_focus(box_))
        gtk_widget_grab_focus(box_);
}

void DrawingArea::resize(int width, int height) {
    if (width == view_.width() && height == view_.height())
        return;
    view_.setArea(width, height);
    viewChanged();
}

void DrawingArea::fitWhole() {
    view_.fitWhole(strokes());
    viewChanged();
}

void DrawingArea::zoomAbout(double x, double y, double factor) {
    if (view_.zoomAbout(x, y, factor))
        viewChanged();
}

void DrawingArea::panBy(double dx, double dy) {
    view_.panBy(dx, dy);
    viewChanged();
}

void DrawingArea::showPointer(bool inside, double x, double y) {
    double mx = 0.0, my = 0.0;
    const bool known = inside && view_.toModel(x, y, mx, my);
    const DesignUnits units = session_.design.params.units;
    const std::string readout = output(outputs::READOUT).widget;
    GtkWidget* label = form_.widget(readout);
    if (known) {
        if (const auto piece = probe_.pieceAt(mx, my, modelDistance(HOVER_PIXELS))) {
            showPiece(label, *piece, units);
            return;
        }
    }
    const std::string text =
        known ? fittedReadout(label, pointerText(mx, my, unitName(designUnit(units)))) : " ";
    if (form_.text(readout) != text || (label && gtk_label_get_use_markup(GTK_LABEL(label))))
        form_.setText(readout, text);
}

void DrawingArea::left() {
    showPointer(false);
    ruler_.pointerGone();
    if (ruler_.placing() && image_)
        gtk_widget_queue_draw(image_);
}

void DrawingArea::followPointer() {
    if (!box_ || !gtk_widget_get_realized(box_))
        return;
    gint x = 0, y = 0;
    gdk_window_get_pointer(box_->window, &x, &y, nullptr);
    const bool inside = x >= 0 && y >= 0 && x < view_.width() && y < view_.height();
    showPointer(inside, x, y);
}

// What to show: the 660 image while it is the view, else the window's own
// view, painted again only after the picture or the view changed.
cairo_surface_t* DrawingArea::picture() {
    if (view_.imageView()) {
        if (imageStale_) {
            surface_.clear();
            surface_.paint(strokes(), session_.fittedView());
            imageStale_ = false;
        }
        return surface_.cairo();
    }
    const int w = view_.width(), h = view_.height();
    if (!buffer_ || cairo_image_surface_get_width(buffer_) != w ||
        cairo_image_surface_get_height(buffer_) != h) {
        if (buffer_)
            cairo_surface_destroy(buffer_);
        buffer_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        bufferStale_ = true;
    }
    if (bufferStale_) {
        cairo_t* cr = cairo_create(buffer_);
        view_.paint(cr, strokes());
        cairo_destroy(cr);
        bufferStale_ = false;
    }
    return buffer_;
}

gboolean DrawingArea::exposed(GdkEventExpose* event) {
    GtkWidget* w = image_;
    cairo_t* cr = gdk_cairo_create(event->window);
    gdk_cairo_region(cr, event->region);
    cairo_clip(cr);
    const GtkAllocation& a = w->allocation;
    cairo_rectangle(cr, a.x, a.y, view_.width(), view_.height());
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture(), a.x, a.y);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    PaintView shown = view_.paintView();
    shown.originX += a.x;
    shown.originY += a.y;
    ruler_.paint(cr, box_, shown, view_.width(), view_.height(), session_.design.params.units);
    if (box_ && gtk_widget_has_focus(box_)) {
        // A frame in the selection colour over the drawing's own border.
        const GdkColor& c = gtk_widget_get_style(box_)->bg[GTK_STATE_SELECTED];
        cairo_set_source_rgb(cr, c.red / 65535.0, c.green / 65535.0, c.blue / 65535.0);
        cairo_set_line_width(cr, FOCUS_FRAME);
        cairo_rectangle(cr, a.x + FOCUS_FRAME / 2.0, a.y + FOCUS_FRAME / 2.0,
                        view_.width() - FOCUS_FRAME, view_.height() - FOCUS_FRAME);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return TRUE;  // the image widget has nothing of its own to draw
}

gboolean DrawingArea::pressed(GdkEventButton* event) {
    takeFocus();
    if (ruler_.placing() && event->button == 1 && event->type == GDK_BUTTON_PRESS) {
        ruleAt(event->x, event->y, event->state & GDK_SHIFT_MASK, true);
        return TRUE;
    }
    if (event->button == 1 && event->type == GDK_BUTTON_PRESS) {
        dragging_ = true;
        dragX_ = event->x;
        dragY_ = event->y;
    }
    return TRUE;
}

gboolean DrawingArea::released(GdkEventButton* event) {
    if (event->button == 1)
        dragging_ = false;
    return TRUE;
}

gboolean DrawingArea::moved(GdkEventMotion* event) {
    if (ruler_.placing())
        ruleAt(event->x, event->y, event->state & GDK_SHIFT_MASK, false);
    if (dragging_ && (event->state & GDK_BUTTON1_MASK)) {
        panBy(event->x - dragX_, event->y - dragY_);
        dragX_ = event->x;
        dragY_ = event->y;
    }
    showPointer(true, event->x, event->y);
    return TRUE;
}

gboolean DrawingArea::scrolled(GdkEventScroll* event) {
    takeFocus();
    if (event->direction == GDK_SCROLL_UP)
        zoomAbout(event->x, event->y, WHEEL_STEP);
    else if (event->direction == GDK_SCROLL_DOWN)
        zoomAbout(event->x, event->y, 1.0 / WHEEL_STEP);
    else
        return FALSE;
    showPointer(true, event->x, event->y);
    return TRUE;
}

gboolean DrawingArea::keyPressed(GdkEventKey* event) {
    switch (event->keyval) {
        case GDK_plus:
        case GDK_equal:
        case GDK_KP_Add:
            zoomAbout(view_.width() / 2.0, view_.height() / 2.0, WHEEL_STEP);
            return TRUE;
        case GDK_minus:
        case GDK_KP_Subtract:
            zoomAbout(view_.width() / 2.0, view_.height() / 2.0, 1.0 / WHEEL_STEP);
            return TRUE;
        case GDK_0:
        case GDK_KP_0:
            fitWhole();
            return TRUE;
        case GDK_m:
        case GDK_M:
            beginMeasure();
            return TRUE;
        case GDK_Escape:
            ruler_.clear();
            measureCursor();
            if (image_)
                gtk_widget_queue_draw(image_);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace bowlyn

#pragma once

#include <gtk/gtk.h>

#include <string>

#include "app/drawing_ruler.h"
#include "geometry/outline_probe.h"
#include "render/drawing_surface.h"
#include "render/drawing_view.h"

namespace bowlyn {

class GtkForm;
class Session;

// The drawing in the window: the session's last pass. The image widget's
// expose handler paints its picture straight from cairo: the 660 image
// itself at the default size and view (its very pixels, no conversion),
// otherwise the strokes painted afresh in the window's view, so lines stay
// crisp at any zoom. It zooms and pans on the wheel, a drag and the keys
// + - 0 without running a pass. The view is the session's; a click, a drag or
// the wheel gives the drawing the keyboard focus, which a frame shows. M (or
// Edit > Measure) and two clicks lay a ruler over it, its ends caught by the
// outline's points (Shift: free); the readout names the piece of the outline
// under the pointer.
class DrawingArea {
  public:
    // Connects to `drawingImage` and the event box around it.
    DrawingArea(GtkForm& form, Session& session);
    ~DrawingArea();
    DrawingArea(const DrawingArea&) = delete;
    DrawingArea& operator=(const DrawingArea&) = delete;

    // The session holds a new picture (a pass's, or the blank of a load): the
    // 660 image is painted only while it is what shows.
    void show();
    // The 660 image of the last pass (blank after a load).
    const DrawingSurface& surface() const { return surface_; }
    // The window gave the drawing this many pixels.
    void resize(int width, int height);

    const DrawingView& view() const { return view_; }
    // The whole drawing (DrawingView::fitWhole): the Fit button and 0.
    void fitWhole();
    void zoomAbout(double x, double y, double factor);
    void panBy(double dx, double dy);
    // The next two clicks measure (M in the drawing).
    void beginMeasure();
    // What the ruler on the screen says, "" without one.
    std::string rulerText() const;
    // The design's lengths were multiplied by `factor` (a unit conversion, or
    // an undo of one): the ruler stays on the same part of the instrument, as
    // the session's view does.
    void lengthsScaled(double factor);
    // The readout for the pointer at (x, y) of the drawing, or " " off it:
    // the piece of the outline under it, else its position.
    void showPointer(bool inside, double x = 0.0, double y = 0.0);
    // The readout for wherever the pointer now is, after the view changed
    // under it.
    void followPointer();

    // Signal handlers' entry points.
    gboolean exposed(GdkEventExpose* event);
    gboolean pressed(GdkEventButton* event);
    gboolean released(GdkEventButton* event);
    gboolean moved(GdkEventMotion* event);
    gboolean scrolled(GdkEventScroll* event);
    gboolean keyPressed(GdkEventKey* event);
    void focusChanged();
    void left();

  private:
    void viewChanged();
    void takeFocus();
    // Model units per `pixels` of the view now.
    double modelDistance(double pixels) const;
    // The ruler follows the pointer at (x, y): caught by the nearest point
    // unless `free`.
    void ruleAt(double x, double y, bool free, bool click);
    void measureCursor();
    cairo_surface_t* picture();
    const StrokeList& strokes() const;

    GtkForm& form_;
    Session& session_;
    DrawingSurface surface_;
    GtkWidget* image_;
    GtkWidget* box_;
    DrawingView& view_;
    // The window's own view, painted when the picture or the view changed.
    cairo_surface_t* buffer_ = nullptr;
    bool bufferStale_ = true;
    // A pass ran while the 660 image was not shown, so it was not painted.
    bool imageStale_ = false;
    bool dragging_ = false;
    double dragX_ = 0.0, dragY_ = 0.0;
    // What the ruler and the readout catch: the outline of the picture shown.
    OutlineProbe probe_;
    DrawingRuler ruler_;
};

}  // namespace bowlyn

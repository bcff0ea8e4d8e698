#pragma once

#include <gtk/gtk.h>

#include "render/drawing.h"
#include "render/drawing_view.h"

namespace bowlyn {

class GtkForm;
class Session;

// The drawing in the window. The image widget's expose handler paints the
// pass's picture straight from cairo: the 660 image itself at the default
// size and view (its very pixels, no conversion), otherwise the strokes
// painted afresh in the window's view, so lines stay crisp at any zoom. It
// takes the place of the 660 image as the pass's canvas, and zooms and pans
// on the wheel, a drag and the keys + - 0 without running a pass. The view is
// the session's; a click, a drag or the wheel gives the drawing the keyboard
// focus, which a frame shows.
class DrawingArea : public Canvas {
  public:
    // Connects to `drawingImage` and the event box around it.
    DrawingArea(GtkForm& form, Session& session);
    ~DrawingArea() override;
    DrawingArea(const DrawingArea&) = delete;
    DrawingArea& operator=(const DrawingArea&) = delete;

    // The end of a pass: the 660 image is painted only while it is what shows.
    void paint(const StrokeList& list, const ViewTransform& fitted) override;
    // The drawing holds a new picture (a pass's, or the blank of a load).
    void show();
    // The window gave the drawing this many pixels.
    void resize(int width, int height);

    const DrawingView& view() const { return view_; }
    // The whole drawing (DrawingView::fitWhole): the Fit button and 0.
    void fitWhole();
    void zoomAbout(double x, double y, double factor);
    void panBy(double dx, double dy);
    // The readout for the pointer at (x, y) of the drawing, or " " off it.
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

  private:
    void viewChanged();
    void takeFocus();
    cairo_surface_t* picture();

    GtkForm& form_;
    Session& session_;
    Drawing& drawing_;
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
};

}  // namespace bowlyn

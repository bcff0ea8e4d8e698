#pragma once

#include <string>

#include "render/painter.h"
#include "render/view_transform.h"

typedef struct _cairo cairo_t;

namespace bowlyn {

// The drawing as a window shows it: an area of any size, the pass's fitted
// view scaled into it, and the user's zoom and pan on top. At 660 x 660 and
// fitted it is the 660 image itself (imageView()); anything else is painted
// from the pass's strokes in its own view, one device unit per pixel.
class DrawingView {
  public:
    static constexpr double MAX_ZOOM = 50.0;  // times the fitted scale
    static constexpr double MIN_ZOOM = 0.1;   // far enough out for the longest neck

    // The area's size in pixels; a zoomed view keeps the model point at the
    // area's centre where it was.
    void setArea(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // The fitted view of the latest pass. A fitted window follows it; a zoomed
    // one stays where the user put it, so stepping a value while looking
    // closely at one place keeps that place in view.
    void setFitted(const ViewTransform& fitted) { fitted_ = fitted; }

    // True when the area shows exactly the 660 image, pixel for pixel.
    bool imageView() const;
    bool fitted() const { return following_; }
    // The current scale over the fitted one (1 when fitted).
    double zoom() const;
    // Where model units land in the area now.
    PaintView paintView() const;

    // Back to the fitted view.
    void fit() { following_ = true; }
    // Shows the whole drawing: what the pass recorded (the outline with the
    // neck, nut, fretboard and strings beyond the body; what it painted when
    // it recorded nothing), centred with a margin, or the fitted view when
    // that shows it all already, so a drawing that fits stays the 660 image
    // at the default size.
    void fitWhole(const StrokeList& strokes);
    // Zooms by `factor` (within MIN_ZOOM and MAX_ZOOM) keeping the model point
    // under area position (px, py) where it is. False when nothing changed.
    bool zoomAbout(double px, double py, double factor);
    // Zooms about the area's centre.
    bool zoomCentred(double factor) { return zoomAbout(width_ / 2.0, height_ / 2.0, factor); }
    // Moves the picture by (dx, dy) pixels.
    void panBy(double dx, double dy);
    // The design's lengths were multiplied by `factor` (converted to another
    // unit): a zoomed view keeps showing the same part of it at the same size.
    void lengthsScaled(double factor);

    // The model point (x from the centre line, y from the tail end) under
    // area position (px, py); false before any pass has fitted a view.
    bool toModel(double px, double py, double& x, double& y) const;

    // Paints the whole area: background and frame, then the list in the
    // current view. For the image view the 660 image's own pixels are the
    // ones to show; this paints the same picture without whole-pixel rounding.
    void paint(cairo_t* cr, const StrokeList& list) const;

  private:
    PaintView fittedView() const;

    int width_ = DRAWING_WIDTH, height_ = DRAWING_HEIGHT;
    ViewTransform fitted_;
    bool following_ = true;
    // The user's view while not following the fit.
    double scale_ = 0.0, originX_ = 0.0, originY_ = 0.0;
};

// The pointer readout: "x 3.25  y 12.07 in", model units to two decimals
// with the unit's name, "." whatever the locale.
std::string pointerText(double x, double y, const char* unit);

}  // namespace bowlyn

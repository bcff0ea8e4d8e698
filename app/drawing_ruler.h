#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <optional>
#include <string>

#include "geometry/outline_probe.h"
#include "model/design_parameters.h"
#include "render/painter.h"

namespace bowlyn {

// The ruler laid over the window's drawing: two clicks place its ends (in
// model units, so it stays on the outline as the view zooms and pans), and
// its length and angle stay on screen until Escape or the next measurement.
// It is painted over the window's view only, never into the drawing.
class DrawingRuler {
  public:
    // The next two clicks measure; the ruler shown so far goes.
    void begin();
    // Escape: no measurement under way and no ruler shown.
    void clear();
    // Whether clicks place the ruler's ends now.
    bool placing() const { return stage_ != Stage::Idle; }

    // A click at a model point while placing: the first end, then the second.
    void click(double x, double y);
    // Where the pointer is while placing, in model units, and what it snapped
    // to (nullopt when free); off the drawing, nowhere.
    void pointerAt(double x, double y, std::optional<SnapKind> snapped);
    void pointerGone() { pointer_.reset(); }
    // The design's lengths were multiplied by `factor` (a unit conversion).
    void scale(double factor);
    // What the ruler shows once both ends are placed (see rulerText), or "".
    std::string text(DesignUnits units) const;

    // The ruler, its text and the snap marker under the pointer, in `view`
    // (device units of `cr`) within an area of `width` x `height`.
    void paint(cairo_t* cr, GtkWidget* widget, const PaintView& view, int width, int height,
               DesignUnits units) const;

  private:
    enum class Stage { Idle, First, Second };
    Stage stage_ = Stage::Idle;
    bool complete_ = false;  // both ends placed: a ruler to show
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    struct Pointer {
        double x = 0, y = 0;
        std::optional<SnapKind> snapped;
    };
    std::optional<Pointer> pointer_;
};

}  // namespace bowlyn

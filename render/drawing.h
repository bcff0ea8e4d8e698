#pragma once

#include "render/display_list.h"
#include "render/drawing_kinds.h"
#include "render/drawing_surface.h"
#include "render/entity_list.h"
#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

// The four stroke primitives, the view the pass fits, and what they record:
// the entity list for the DXF export and the display list of everything to
// paint. Recording and painting are independent: paint() hands the display
// list to the canvas, by default the 660 image. A primitive on Layer::None
// paints without recording; with RECORD_ONLY it records without painting.
class Drawing {
  public:
    DrawingSurface surface;  // the 660 image
    ViewTransform view;      // fitted by the pass, whole pixels
    EntityList entities;
    DisplayList display;  // what the pass painted, until the display is reset
    Canvas* canvas = &surface;

    void drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, Side side,
                  Layer layer, bool recordOnly = false);
    void drawPoint(const StrokeStyle& style, float x, float y, PointMarker marker, Side side,
                   Layer layer, bool recordOnly = false);
    void drawCircle(const StrokeStyle& style, float cx, float cy, float r, Side side, Layer layer,
                    bool recordOnly = false);
    // From angle a1 counter-clockwise to a2 (radians); nothing when a1 == a2.
    void drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                 Side side, Layer layer, bool recordOnly = false);

    // Until endAlignY, what is drawn is painted with model y `from` where the
    // view puts y `at`.
    void alignY(float at, float from) {
        alignAt_ = at;
        alignFrom_ = from;
    }
    void endAlignY() { alignAt_ = alignFrom_ = 0.0f; }

    // Forgets what was painted and blanks the image: the start of every pass.
    void clearPicture() {
        display.clear();
        surface.clear();
    }

    // Hands the display list to the canvas; a pass ends with it.
    void paint() { canvas->paint(display, view); }

  private:
    void record(EntityKind kind, Layer layer, Side side, const float* values,
                const float* mirrored);
    void show(StrokeKind kind, const StrokeStyle& style, Layer layer, Side side,
              const float* values, bool cross = false);
    float alignAt_ = 0.0f, alignFrom_ = 0.0f;
};

}  // namespace bowlyn

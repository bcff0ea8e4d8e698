#pragma once

#include "render/display_list.h"
#include "render/drawing_surface.h"
#include "render/entity_list.h"
#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

// The four stroke primitives, the view the pass fits, and what they record:
// the entity list for the DXF export and the display list of everything to
// paint. Recording and painting are independent: paint() hands the display
// list to the canvas, by default the 660 image.
//
// side: -1 the mirror image (x -> -x) only, 0 as passed, 1 both (as passed
// first). layer: 1 to 5 recorded on that DXF layer, LAYER_NONE painted only.
// recordOnly: non-zero records without painting.
class Drawing {
  public:
    DrawingSurface surface;  // the 660 image
    ViewTransform view;      // fitted by the pass, whole pixels
    EntityList entities;
    DisplayList display;  // what the pass painted, until the display is reset
    Canvas* canvas = &surface;

    void drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, int side,
                  float layer, int recordOnly = 0);
    // marker 1: a cross with 4-pixel arms; any other: a bar as wide as the line.
    void drawPoint(const StrokeStyle& style, float x, float y, int marker, int side, float layer,
                   int recordOnly = 0);
    void drawCircle(const StrokeStyle& style, float cx, float cy, float r, int side, float layer,
                    int recordOnly = 0);
    // From angle a1 counter-clockwise to a2 (radians); nothing when a1 == a2.
    void drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                 int side, float layer, int recordOnly = 0);

    // Until endAlignY, what is drawn is painted with model y `from` where the
    // view puts y `at`.
    void alignY(float at, float from) {
        alignAt_ = at;
        alignFrom_ = from;
    }
    void endAlignY() { alignAt_ = alignFrom_ = 0.0f; }

    // Hands the display list to the canvas; a pass ends with it.
    void paint() { canvas->paint(display, view); }

  private:
    void record(float kind, float layer, int side, const float* values, const float* mirrored);
    void show(StrokeKind kind, const StrokeStyle& style, float layer, int side, const float* values,
              bool cross = false);
    float alignAt_ = 0.0f, alignFrom_ = 0.0f;
};

}  // namespace bowlyn

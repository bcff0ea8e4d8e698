#pragma once

#include "render/drawing_surface.h"
#include "render/entity_list.h"
#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

// The four stroke primitives, the image they paint into, the view transform
// and the entity list they record into.
//
// side: -1 the mirror image (x -> -x) only, 0 as passed, 1 both (as passed
// first). layer: 1 to 5 recorded on that DXF layer, LAYER_NONE painted only.
// recordOnly: non-zero records without painting.
class Drawing {
  public:
    DrawingSurface surface;
    ViewTransform view;
    EntityList entities;
    // Off: the primitives record but never touch the image (for measuring the
    // program's own share of a pass).
    bool painting = true;

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

  private:
    void record(float kind, float layer, int side, const float* values, const float* mirrored);
};

float radiansToDegrees(float a);
// The angles of an arc mirrored about the centre line, in the order that keeps
// it counter-clockwise: (m(a2), m(a1)).
void mirrorArcAngles(float a1, float a2, float& m1, float& m2);

}  // namespace bowlyn

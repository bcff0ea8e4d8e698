#pragma once

#include <initializer_list>

#include "render/drawing_kinds.h"
#include "render/drawing_surface.h"
#include "render/stroke.h"
#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

// The four stroke primitives, the view the pass fits, and the one list of
// strokes they record: what the pass painted, and what every export writes.
// Recording and painting are independent: paint() hands the list to the
// canvas, by default the 660 image.
class Drawing {
  public:
    DrawingSurface surface;  // the 660 image
    ViewTransform view;      // fitted by the pass, whole pixels
    StrokeList strokes;      // everything the pass drew, in order
    // The pass drew a complete design: the recorded strokes are what the
    // exports write. False from the start of every pass until its end.
    bool complete = false;
    Canvas* canvas = &surface;

    // A stroke on Layer::None is painted and never recorded, whatever its use.
    void drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, Side side,
                  Layer layer, StrokeUse use = StrokeUse::ShownAndRecorded);
    void drawPoint(const StrokeStyle& style, float x, float y, PointMarker marker, Side side,
                   Layer layer, StrokeUse use = StrokeUse::ShownAndRecorded);
    void drawCircle(const StrokeStyle& style, float cx, float cy, float r, Side side, Layer layer,
                    StrokeUse use = StrokeUse::ShownAndRecorded);
    // From angle a1 counter-clockwise to a2 (radians); nothing when a1 == a2.
    void drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                 Side side, Layer layer, StrokeUse use = StrokeUse::ShownAndRecorded);

    // Until endAlignY, what is drawn is painted with model y `from` where the
    // view puts y `at`.
    void alignY(float at, float from) {
        alignAt_ = at;
        alignFrom_ = from;
    }
    void endAlignY() { alignAt_ = alignFrom_ = 0.0f; }

    // Forgets what was drawn and blanks the image: the start of every pass.
    void clearPicture() {
        strokes.clear();
        complete = false;
        surface.clear();
    }

    // Hands the strokes to the canvas; a pass ends with it.
    void paint() { canvas->paint(strokes, view); }

  private:
    void add(StrokeKind kind, const StrokeStyle& style, Side side, Layer layer, StrokeUse use,
             std::initializer_list<float> values, PointMarker marker = PointMarker::Bar);
    float alignAt_ = 0.0f, alignFrom_ = 0.0f;
};

// The use of a stroke that belongs in the exported files but not in the
// pictures: the side view, string and fret edges.
constexpr StrokeUse RECORD_ONLY = StrokeUse::Recorded;

}  // namespace bowlyn

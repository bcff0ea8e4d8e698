#pragma once

#include <initializer_list>

#include "render/drawing_kinds.h"
#include "render/stroke.h"
#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

// The four stroke primitives, the view the pass fits, and the one list of
// strokes they record: what a picture of the pass paints, and what every
// export writes. A pass only records; whoever shows it paints the list.
class Drawing {
  public:
    ViewTransform view;  // fitted by the pass, whole pixels
    StrokeList strokes;  // everything the pass drew, in order

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

  private:
    void add(StrokeKind kind, const StrokeStyle& style, Side side, Layer layer, StrokeUse use,
             std::initializer_list<float> values, PointMarker marker = PointMarker::Bar);
    float alignAt_ = 0.0f, alignFrom_ = 0.0f;
};

// The use of a stroke that belongs in the exported files but not in the
// pictures: the side view, string and fret edges.
constexpr StrokeUse RECORD_ONLY = StrokeUse::Recorded;

}  // namespace bowlyn

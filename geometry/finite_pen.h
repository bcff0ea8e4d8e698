#pragma once

#include <cmath>

#include "render/drawing.h"

namespace bowlyn {

// Forwards to the stroke primitives only when every number is finite. Entries
// of absurd size (a scale length of 1e-30 against a body of 20, a setback of
// 1e38) can pass every check and still overflow on the way to a coordinate;
// such an entity is left out rather than put into the export as inf or NaN.
class FinitePen {
  public:
    explicit FinitePen(Drawing& drawing) : d_(drawing) {}

    void line(const StrokeStyle& s, float x1, float y1, float x2, float y2, int side, float layer,
              int recordOnly = 0) {
        if (finite(x1, y1, x2, y2))
            d_.drawLine(s, x1, y1, x2, y2, side, layer, recordOnly);
    }
    void point(const StrokeStyle& s, float x, float y, int marker, int side, float layer,
               int recordOnly = 0) {
        if (finite(x, y))
            d_.drawPoint(s, x, y, marker, side, layer, recordOnly);
    }
    void circle(const StrokeStyle& s, float cx, float cy, float r, int side, float layer,
                int recordOnly = 0) {
        if (finite(cx, cy, r))
            d_.drawCircle(s, cx, cy, r, side, layer, recordOnly);
    }
    void arc(const StrokeStyle& s, float cx, float cy, float r, float a1, float a2, int side,
             float layer, int recordOnly = 0) {
        if (finite(cx, cy, r, a1, a2))
            d_.drawArc(s, cx, cy, r, a1, a2, side, layer, recordOnly);
    }

  private:
    template <typename... T>
    static bool finite(T... v) {
        return (std::isfinite(v) && ...);
    }
    Drawing& d_;
};

}  // namespace bowlyn

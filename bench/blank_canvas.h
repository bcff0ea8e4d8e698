#pragma once

#include "render/painter.h"

namespace bowlyn {

// Takes a pass's strokes and paints nothing: a pass with it measures the
// program's own work, without cairo's stroking.
class BlankCanvas : public Canvas {
  public:
    void paint(const StrokeList&, const ViewTransform&) override {}
};

}  // namespace bowlyn

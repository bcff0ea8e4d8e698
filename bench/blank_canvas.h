#pragma once

#include "render/painter.h"

namespace bowlyn {

// Takes a pass's display list and paints nothing: a pass with it measures the
// program's own work, without cairo's stroking.
class BlankCanvas : public Canvas {
  public:
    void paint(const DisplayList&, const ViewTransform&) override {}
};

}  // namespace bowlyn

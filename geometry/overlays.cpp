#include "geometry/overlays.h"

#include "render/drawing.h"

namespace bowlyn {

void drawTransPoints(Drawing& drawing, const Overlays& overlays) {
    if (!overlays.showTransPoints)
        return;
    for (uint32_t i = 1; i <= overlays.transPointCount && i <= TRANS_POINT_CAPACITY; ++i) {
        const TransPoint& p = overlays.transPoints[i];
        drawing.drawPoint(styleTransPoint, static_cast<float>(p.x), static_cast<float>(p.y),
                          PointMarker::Bar, Side::AsPassed, Layer::None);
    }
}

}  // namespace bowlyn

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

void drawTracedOutline(Drawing& drawing, const Overlays& overlays) {
    const std::vector<TransPoint>& points = overlays.tracedOutline;
    if (!overlays.showTracedOutline || points.size() < 2)
        return;
    const size_t lines = overlays.tracedHalf ? points.size() - 1 : points.size();
    for (size_t i = 0; i < lines; ++i) {
        const TransPoint& a = points[i];
        const TransPoint& b = points[(i + 1) % points.size()];
        drawing.drawLine(styleTracedOutline, static_cast<float>(a.x), static_cast<float>(a.y),
                         static_cast<float>(b.x), static_cast<float>(b.y), Side::AsPassed,
                         Layer::None);
    }
}

}  // namespace bowlyn

#include "geometry/overlays.h"

#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "model/dialogs.h"

namespace bowlyn {

void takeSnapshot(Document& doc, Dialogs& dialogs) {
    if (!bringPassUpToDate(doc)) {
        dialogs.showError(
            "A complete body outline must be successfully generated before a snapshot can be "
            "taken.");
        return;
    }
    doc.snapshot = currentOutlineRecord(doc);
}

void drawTransPoints(Document& doc) {
    if (doc.showTransPoints != 1 || doc.transPointCount == 0 || doc.finalDrawing != 0)
        return;
    for (uint32_t i = 1; i <= doc.transPointCount && i <= TRANS_POINT_CAPACITY; ++i) {
        const TransPoint& p = doc.transPoints[i];
        doc.drawing.drawPoint(styleTransPoint, static_cast<float>(p.x), static_cast<float>(p.y),
                              PointMarker::Bar, Side::AsPassed, Layer::None);
    }
}

void drawTracedOutline(Document& doc) {
    const std::vector<TransPoint>& points = doc.tracedOutline;
    if (doc.showTracedOutline != 1 || points.size() < 2 || doc.finalDrawing != 0)
        return;
    const size_t lines = doc.tracedHalf ? points.size() - 1 : points.size();
    for (size_t i = 0; i < lines; ++i) {
        const TransPoint& a = points[i];
        const TransPoint& b = points[(i + 1) % points.size()];
        doc.drawing.drawLine(styleTracedOutline, static_cast<float>(a.x), static_cast<float>(a.y),
                             static_cast<float>(b.x), static_cast<float>(b.y), Side::AsPassed,
                             Layer::None);
    }
}

}  // namespace bowlyn

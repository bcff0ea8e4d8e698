#include "render/drawing.h"

namespace bowlyn {

void Drawing::add(StrokeKind kind, const StrokeStyle& style, Side side, Layer layer, StrokeUse use,
                  std::initializer_list<float> values, PointMarker marker) {
    if (layer == Layer::None && use == StrokeUse::Recorded)
        return;  // neither painted nor recorded
    Stroke s;
    s.kind = kind;
    s.layer = layer;
    s.side = side;
    s.marker = marker;
    s.use = layer == Layer::None ? StrokeUse::Shown : use;
    s.style = &style;
    int i = 0;
    for (float v : values)
        s.v[i++] = v;
    s.alignAt = alignAt_;
    s.alignFrom = alignFrom_;
    strokes.push_back(s);
}

void Drawing::drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, Side side,
                       Layer layer, StrokeUse use) {
    add(StrokeKind::Line, style, side, layer, use, {x1, y1, x2, y2});
}

void Drawing::drawPoint(const StrokeStyle& style, float x, float y, PointMarker marker, Side side,
                        Layer layer, StrokeUse use) {
    add(StrokeKind::Point, style, side, layer, use, {x, y}, marker);
}

void Drawing::drawCircle(const StrokeStyle& style, float cx, float cy, float r, Side side,
                         Layer layer, StrokeUse use) {
    add(StrokeKind::Circle, style, side, layer, use, {cx, cy, r});
}

void Drawing::drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                      Side side, Layer layer, StrokeUse use) {
    if (a1 == a2)
        return;
    add(StrokeKind::Arc, style, side, layer, use, {cx, cy, r, a1, a2});
}

}  // namespace bowlyn

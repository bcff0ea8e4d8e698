#include "render/drawing.h"

namespace bowlyn {
namespace {

float radiansToDegrees(float a) {
    if (a == 0.0f)
        return 0.0f;
    return static_cast<float>(180.0 / (static_cast<double>(PI_SINGLE) / a));
}

float mirrorAngle(float a) {
    double m = a < PI_SINGLE ? static_cast<double>(PI_SINGLE) - a : 2.0 * PI_SINGLE + PI_SINGLE - a;
    return static_cast<float>(m);
}

// The angles of an arc mirrored about the centre line, exchanged so that the
// mirror image still runs counter-clockwise: (m(a2), m(a1)).
void mirrorArcAngles(float a1, float a2, float& m1, float& m2) {
    m1 = mirrorAngle(a2);
    m2 = mirrorAngle(a1);
}

}  // namespace

void Drawing::record(EntityKind kind, Layer layer, Side side, const float* values,
                     const float* mirrored) {
    if (layer == Layer::None)
        return;
    Entity e;
    e.kind = entityKindValue(kind);
    e.layer = layerValue(layer);
    if (drawsAsPassed(side)) {
        for (int i = 0; i < 5; ++i)
            e.v[i] = values[i];
        entities.add(e);
    }
    if (drawsMirror(side)) {
        for (int i = 0; i < 5; ++i)
            e.v[i] = mirrored[i];
        entities.add(e);
    }
}

void Drawing::show(StrokeKind kind, const StrokeStyle& style, Layer layer, Side side,
                   const float* values, bool cross) {
    display.push_back({kind,
                       side,
                       cross,
                       layer,
                       &style,
                       {values[0], values[1], values[2], values[3], values[4]},
                       alignAt_,
                       alignFrom_});
}

void Drawing::drawLine(const StrokeStyle& style, float x1, float y1, float x2, float y2, Side side,
                       Layer layer, bool recordOnly) {
    const float values[5] = {x1, y1, x2, y2, 0.0f};
    const float mirrored[5] = {x1 * -1.0f, y1, x2 * -1.0f, y2, 0.0f};
    record(EntityKind::Line, layer, side, values, mirrored);
    if (!recordOnly)
        show(StrokeKind::Line, style, layer, side, values);
}

void Drawing::drawPoint(const StrokeStyle& style, float x, float y, PointMarker marker, Side side,
                        Layer layer, bool recordOnly) {
    const float values[5] = {x, y, 0.0f, 0.0f, 0.0f};
    const float mirrored[5] = {x * -1.0f, y, 0.0f, 0.0f, 0.0f};
    record(EntityKind::Point, layer, side, values, mirrored);
    if (!recordOnly)
        show(StrokeKind::Point, style, layer, side, values, marker == PointMarker::Cross);
}

void Drawing::drawCircle(const StrokeStyle& style, float cx, float cy, float r, Side side,
                         Layer layer, bool recordOnly) {
    const float values[5] = {cx, cy, r, 0.0f, 0.0f};
    const float mirrored[5] = {cx * -1.0f, cy, r, 0.0f, 0.0f};
    record(EntityKind::Circle, layer, side, values, mirrored);
    if (!recordOnly)
        show(StrokeKind::Circle, style, layer, side, values);
}

// Arcs are recorded with their angles in degrees, painted with radians.
void Drawing::drawArc(const StrokeStyle& style, float cx, float cy, float r, float a1, float a2,
                      Side side, Layer layer, bool recordOnly) {
    if (a1 == a2)
        return;
    float m1 = 0.0f, m2 = 0.0f;
    mirrorArcAngles(a1, a2, m1, m2);
    const float degrees[5] = {cx, cy, r, radiansToDegrees(a1), radiansToDegrees(a2)};
    const float mirrored[5] = {cx * -1.0f, cy, r, radiansToDegrees(m1), radiansToDegrees(m2)};
    record(EntityKind::Arc, layer, side, degrees, mirrored);
    if (!recordOnly) {
        const float radians[5] = {cx, cy, r, a1, a2};
        show(StrokeKind::Arc, style, layer, side, radians);
    }
}

}  // namespace bowlyn

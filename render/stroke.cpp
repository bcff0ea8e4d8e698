#include "render/stroke.h"

#include "model/angles.h"

namespace bowlyn {
namespace {

float mirrorAngle(float a) {
    double m = a < PI_SINGLE ? static_cast<double>(PI_SINGLE) - a : 2.0 * PI_SINGLE + PI_SINGLE - a;
    return static_cast<float>(m);
}

}  // namespace

Stroke mirrored(const Stroke& s) {
    Stroke m = s;
    m.side = Side::AsPassed;
    m.v[0] = -s.v[0];
    if (s.kind == StrokeKind::Line)
        m.v[2] = -s.v[2];
    if (s.kind == StrokeKind::Arc) {
        m.v[3] = mirrorAngle(static_cast<float>(s.v[4]));
        m.v[4] = mirrorAngle(static_cast<float>(s.v[3]));
    }
    return m;
}

StrokeList recordedStrokes(const StrokeList& strokes) {
    StrokeList out;
    forEachRecorded(strokes, [&](const Stroke& s) { out.push_back(s); });
    return out;
}

float arcDegrees(double radians) {
    const auto a = static_cast<float>(radians);
    if (a == 0.0f)
        return 0.0f;
    return static_cast<float>(180.0 / (static_cast<double>(PI_SINGLE) / a));
}

int valueCount(StrokeKind kind) {
    switch (kind) {
        case StrokeKind::Point:
            return 2;
        case StrokeKind::Line:
            return 4;
        case StrokeKind::Circle:
            return 3;
        case StrokeKind::Arc:
            break;
    }
    return 5;
}

float recordedValue(const Stroke& s, int i) {
    if (s.kind == StrokeKind::Arc && i >= 3)
        return arcDegrees(s.v[i]);
    return static_cast<float>(s.v[i]);
}

Stroke scaled(Stroke s, const UnitScale& scale) {
    const int lengths = s.kind == StrokeKind::Arc ? 3 : valueCount(s.kind);
    for (int i = 0; i < lengths; ++i)
        s.v[i] = scale(s.v[i]);
    return s;
}

}  // namespace bowlyn

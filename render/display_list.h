#pragma once

#include <cstdint>
#include <vector>

#include "render/drawing_kinds.h"
#include "render/style.h"

namespace bowlyn {

enum class StrokeKind : uint8_t { Line, Point, Circle, Arc };

// One painted call of a stroke primitive, kept in model units exactly as it
// was passed, so that a painter can paint it again in any view: the mirror
// image is made by the painter from `side`, never stored.
struct DisplayItem {
    StrokeKind kind;
    Side side;
    bool cross;   // points: a cross with 4-pixel arms, else a bar as wide as the line
    Layer layer;  // the recorded layer, or Layer::None for aids and overlays
    const StrokeStyle* style;
    // line x1 y1 x2 y2; point x y; circle cx cy r; arc cx cy r a1 a2 (radians,
    // counter-clockwise from a1 to a2).
    float v[5];
    // Painted with model y `alignFrom` where the view puts y `alignAt`: the
    // snapshot outline, aligned with the current body at the neck end. Both
    // are 0 for everything else.
    float alignAt, alignFrom;
};

// Everything a pass painted, in painting order.
using DisplayList = std::vector<DisplayItem>;

}  // namespace bowlyn

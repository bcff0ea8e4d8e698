#pragma once

#include <cmath>

namespace bowlyn {

// A point or a direction in double precision, for the constructions that
// must not inherit the outline's single-precision rounding (the mould's
// offsets, the cutaway joined where it truly crosses the outline).
struct XY {
    double x = 0, y = 0;
};

inline double distance(XY a, XY b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace bowlyn

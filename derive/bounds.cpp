#include "derive/bounds.h"

#include <algorithm>
#include <cmath>

#include "derive/contour.h"

namespace bowlyn {

void Bounds::add(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

void Bounds::addArc(double cx, double cy, double r, double start, double sweep) {
    add(cx + r * std::cos(start), cy + r * std::sin(start));
    add(cx + r * std::cos(start + sweep), cy + r * std::sin(start + sweep));
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * (CIRCLE_RADIANS / 4.0);
        const double along = sweep > 0.0 ? ccwSweep(start, angle) : ccwSweep(angle, start);
        if (along > std::fabs(sweep))
            continue;
        const double x = quarter == 0 ? cx + r : quarter == 2 ? cx - r : cx;
        const double y = quarter == 1 ? cy + r : quarter == 3 ? cy - r : cy;
        add(x, y);
    }
}

void Bounds::add(const Bounds& b) {
    if (b.empty)
        return;
    add(b.minX, b.minY);
    add(b.maxX, b.maxY);
}

double Bounds::reach() const {
    return std::max(
        {std::fabs(minX), std::fabs(maxX), std::fabs(minY), std::fabs(maxY), width(), height()});
}

}  // namespace bowlyn

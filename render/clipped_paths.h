#pragma once

#include <utility>
#include <vector>

namespace bowlyn {

// An axis-parallel rectangle of device space: what a context can show.
struct DeviceRect {
    double left, top, right, bottom;

    bool contains(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    DeviceRect grown(double by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The part of the segment from (x1, y1) to (x2, y2) inside `rect`, as the
// fractions t0 <= t1 of its length where it enters and leaves; false when
// it misses the rectangle.
bool clipSegment(double x1, double y1, double x2, double y2, const DeviceRect& rect, double& t0,
                 double& t1);

// The pieces of a circular path inside `rect`: centre (cx, cy), radius r,
// starting at angle `start` and turning by `sweep` (negative: the other way,
// at most one full turn either way). Each piece is a pair of distances along
// the path, in radians from the start, in increasing order.
std::vector<std::pair<double, double>> visibleSpans(double cx, double cy, double r, double start,
                                                    double sweep, const DeviceRect& rect);

}  // namespace bowlyn

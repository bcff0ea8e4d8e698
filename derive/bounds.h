#pragma once

namespace bowlyn {

// The smallest rectangle round a set of points, lines and arcs.
struct Bounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;

    void add(double x, double y);
    void add(const Bounds& b);
    // An arc of the circle (cx, cy, r) from angle `start` on by `sweep`
    // (radians, counter-clockwise positive): its ends and the points where
    // it reaches furthest in x or y.
    void addArc(double cx, double cy, double r, double start, double sweep);
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    // How far the numbers inside reach: the largest coordinate or extent.
    double reach() const;
};

}  // namespace bowlyn

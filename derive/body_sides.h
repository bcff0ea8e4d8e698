#pragma once

#include <string>
#include <vector>

#include "derive/contour.h"

namespace bowlyn {

// A run of edges along part of a closed loop: each edge from its start
// vertex to the next one's, the last to (endX, endY).
struct OpenPath {
    std::vector<ContourEdge> edges;
    double endX = 0, endY = 0;

    // Where edge i ends.
    ContourEdge endOf(size_t i) const;
    double length() const;
};

// The two sides of a body outline, each from the tail end of the centre line
// (x = 0, the lowest point of the loop on it) to the neck end (the highest):
// `right` on the side of positive x, where a cutaway is, and `left`.
struct BodySides {
    OpenPath right, left;
    std::string problem;  // "" on success
};

// Splits a closed counter-clockwise body loop where it crosses the centre
// line, so that the two sides together are the whole loop.
BodySides bodySides(const Contour& body);

}  // namespace bowlyn

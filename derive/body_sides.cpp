#include "derive/body_sides.h"

#include <cmath>

namespace bowlyn {
namespace {

// A point on a loop: on edge `edge`, the fraction `f` of the way along it
// (of its length for a line, of its sweep for an arc).
struct LoopPlace {
    size_t edge = 0;
    double f = 0;
    double x = 0, y = 0;
};

// A crossing this close to an edge's end is its vertex: a split there would
// leave a piece of no length.
constexpr double AT_VERTEX = 1e-12;

void addPlace(std::vector<LoopPlace>& places, const Contour& c, size_t edge, double f, double y) {
    if (f > 1.0 - AT_VERTEX) {
        edge = (edge + 1) % c.edges.size();
        f = 0.0;
    }
    if (f < AT_VERTEX) {
        const ContourEdge& v = c.edges[edge];
        places.push_back({edge, 0.0, v.x, v.y});
        return;
    }
    places.push_back({edge, f, 0.0, y});
}

// Every place where the loop meets the centre line x = 0.
std::vector<LoopPlace> centreLinePlaces(const Contour& c) {
    std::vector<LoopPlace> places;
    for (size_t i = 0; i < c.edges.size(); ++i) {
        const ContourEdge& a = c.edges[i];
        const ContourEdge& b = c.next(i);
        if (a.x == 0.0)
            addPlace(places, c, i, 0.0, a.y);
        if (a.sweep == 0.0) {
            if ((a.x < 0.0 && b.x > 0.0) || (a.x > 0.0 && b.x < 0.0)) {
                const double t = a.x / (a.x - b.x);
                addPlace(places, c, i, t, a.y + t * (b.y - a.y));
            }
            continue;
        }
        const EdgeArc arc = edgeArc(a, b);
        const double q = -arc.cx / arc.r;  // the cosine of the angles where the circle has x = 0
        if (!(std::fabs(q) <= 1.0))
            continue;
        const double sweep = std::fabs(a.sweep);
        for (double angle : {std::acos(q), -std::acos(q)}) {
            const double along =
                a.sweep > 0.0 ? ccwSweep(arc.start, angle) : ccwSweep(angle, arc.start);
            if (along > 0.0 && along < sweep)
                addPlace(places, c, i, along / sweep, arc.cy + arc.r * std::sin(angle));
        }
    }
    return places;
}

// The part of edge i from fraction f0 to f1, starting at `from` when f0 > 0.
ContourEdge piece(const Contour& c, size_t i, double f0, double f1, const LoopPlace& from) {
    ContourEdge e = c.edges[i];
    if (f0 > 0.0) {
        e.x = from.x;
        e.y = from.y;
    }
    e.sweep *= f1 - f0;
    return e;
}

// Along the loop in its own direction from place a to place b.
OpenPath forwardPath(const Contour& c, const LoopPlace& a, const LoopPlace& b) {
    OpenPath path;
    size_t i = a.edge;
    double f = a.f;
    const LoopPlace* from = &a;
    const LoopPlace vertex;  // f = 0: the piece starts at the edge's own vertex
    for (size_t steps = 0; steps <= c.edges.size(); ++steps) {
        // On b's edge before b (at the start, a lies before b on it)?
        if (i == b.edge && f <= b.f && !(steps == 0 && a.f > b.f)) {
            if (f < b.f)
                path.edges.push_back(piece(c, i, f, b.f, *from));
            break;
        }
        path.edges.push_back(piece(c, i, f, 1.0, *from));
        i = (i + 1) % c.edges.size();
        f = 0.0;
        from = &vertex;
    }
    path.endX = b.x;
    path.endY = b.y;
    return path;
}

OpenPath reversed(const OpenPath& p) {
    OpenPath r;
    const size_t n = p.edges.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t i = n - 1 - k;
        const ContourEdge end = p.endOf(i);
        r.edges.push_back({end.x, end.y, -p.edges[i].sweep, p.edges[i].name});
    }
    if (n > 0) {
        r.endX = p.edges.front().x;
        r.endY = p.edges.front().y;
    }
    return r;
}

}  // namespace

ContourEdge OpenPath::endOf(size_t i) const {
    if (i + 1 < edges.size())
        return edges[i + 1];
    ContourEdge end;
    end.x = endX;
    end.y = endY;
    return end;
}

double OpenPath::length() const {
    double total = 0.0;
    for (size_t i = 0; i < edges.size(); ++i)
        total += edgeLength(edges[i], endOf(i));
    return total;
}

BodySides bodySides(const Contour& body) {
    BodySides sides;
    const std::vector<LoopPlace> places = centreLinePlaces(body);
    const LoopPlace *tail = nullptr, *neck = nullptr;
    for (const LoopPlace& p : places) {
        if (!tail || p.y < tail->y)
            tail = &p;
        if (!neck || p.y > neck->y)
            neck = &p;
    }
    if (!tail || !(tail->y < neck->y)) {
        sides.problem = "The body outline does not cross its centre line at the tail and the neck.";
        return sides;
    }
    // Counter-clockwise, the loop runs up the side of positive x.
    sides.right = forwardPath(body, *tail, *neck);
    sides.left = reversed(forwardPath(body, *neck, *tail));
    return sides;
}

}  // namespace bowlyn

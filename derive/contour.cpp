#include "derive/contour.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;

// Shorter than this (design units) a piece is no piece: an arc of radius 0,
// or an outline part that a design leaves out by giving it zero size.
constexpr double ZERO_LENGTH = 1e-9;
// Neighbours that turn less than this (radians) at their shared vertex and
// lie on one line or circle (radii equal to this fraction) are one edge. The
// solved outline holds singles, so the two halves of the tail arc meet at
// the centre line with directions and radii that differ by about 1e-7.
constexpr double SAME_DIRECTION = 1e-6;
// The turns of a simple closed loop add up to one whole turn.
constexpr double TURN_TOLERANCE = 1e-6;

double pieceLength(const ContourPiece& p) {
    if (p.sweep != 0.0)
        return std::fabs(p.sweep) * p.r;
    return std::hypot(p.x2 - p.x1, p.y2 - p.y1);
}

// Into [-pi, pi].
double wrapped(double a) {
    return std::remainder(a, CIRCLE_RADIANS);
}

double chordAngle(const ContourEdge& from, const ContourEdge& to) {
    return std::atan2(to.y - from.y, to.x - from.x);
}

double radiusOf(const ContourEdge& from, const ContourEdge& to) {
    return edgeArc(from, to).r;
}

// Whether edges i - 1 and i continue each other: both lines, or both arcs
// turning the same way on circles of the same radius, without a turn between.
bool continues(const Contour& c, size_t i) {
    const size_t n = c.edges.size();
    const size_t prev = (i + n - 1) % n;
    const ContourEdge& a = c.edges[prev];
    const ContourEdge& b = c.edges[i];
    if (std::fabs(turnAt(c, i)) > SAME_DIRECTION)
        return false;
    if (a.sweep == 0.0 || b.sweep == 0.0)
        return a.sweep == 0.0 && b.sweep == 0.0;
    // Three quarters of a turn at most, so a merged arc stays far from a
    // full circle, whose ends would coincide.
    if ((a.sweep > 0.0) != (b.sweep > 0.0) || std::fabs(a.sweep + b.sweep) > 1.5 * PI)
        return false;
    const double ra = radiusOf(a, b), rb = radiusOf(b, c.next(i));
    return std::fabs(ra - rb) <= SAME_DIRECTION * std::max(ra, rb);
}

void mergeContinuations(Contour& c) {
    for (bool merged = true; merged && c.edges.size() > 2;) {
        merged = false;
        for (size_t i = 0; i < c.edges.size(); ++i) {
            if (!continues(c, i))
                continue;
            const size_t prev = (i + c.edges.size() - 1) % c.edges.size();
            c.edges[prev].sweep += c.edges[i].sweep;
            c.edges.erase(c.edges.begin() + static_cast<std::ptrdiff_t>(i));
            merged = true;
            break;
        }
    }
}

double totalTurn(const Contour& c) {
    double total = 0.0;
    for (size_t i = 0; i < c.edges.size(); ++i)
        total += c.edges[i].sweep + turnAt(c, i);
    return total;
}

void reverse(Contour& c) {
    const std::vector<ContourEdge> old = c.edges;
    const size_t n = old.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t i = n - 1 - k;  // old edge i runs from vertex i to vertex i + 1
        c.edges[k] = {old[(i + 1) % n].x, old[(i + 1) % n].y, -old[i].sweep, old[i].name};
    }
}

std::string shortNumber(double v) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 3);
    return std::string(buffer, result.ptr);
}

}  // namespace

double edgeStartDirection(const ContourEdge& from, const ContourEdge& to) {
    return chordAngle(from, to) - from.sweep / 2.0;
}

double edgeEndDirection(const ContourEdge& from, const ContourEdge& to) {
    return chordAngle(from, to) + from.sweep / 2.0;
}

double turnAt(const Contour& c, size_t i) {
    const size_t n = c.edges.size();
    const size_t prev = (i + n - 1) % n;
    return wrapped(edgeStartDirection(c.edges[i], c.next(i)) -
                   edgeEndDirection(c.edges[prev], c.edges[i]));
}

double xMinusSin(double x) {
    if (x >= 0.5)
        return x - std::sin(x);
    // The series, whose terms fall by a factor of at least 80 below 1/2.
    const double x2 = x * x;
    double term = x * x2 / 6.0, sum = 0.0;
    for (int k = 4; term != 0.0 && k < 40; k += 2) {
        sum += term;
        term = -term * x2 / (k * (k + 1));
    }
    return sum;
}

double segmentArea(const ContourEdge& from, const ContourEdge& to) {
    if (from.sweep == 0.0)
        return 0.0;
    // r^2 (s - sin s) / 2 with r = chord / (2 sin(s / 2)).
    const double chordSquared =
        (to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y);
    const double half = std::fabs(from.sweep) / 2.0;
    const double s = std::sin(half);
    return std::copysign(chordSquared * xMinusSin(2.0 * half) / (8.0 * s * s), from.sweep);
}

EdgeArc edgeArc(const ContourEdge& from, const ContourEdge& to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double chord = std::hypot(dx, dy);
    const double half = from.sweep / 2.0;
    EdgeArc a;
    a.r = chord / (2.0 * std::fabs(std::sin(half)));
    // The centre lies on the chord's perpendicular bisector, to the left of
    // the chord for a counter-clockwise arc of less than half a turn.
    const double offset = 0.5 / std::tan(half);
    a.cx = (from.x + to.x) / 2.0 - dy * offset;
    a.cy = (from.y + to.y) / 2.0 + dx * offset;
    a.start = std::atan2(from.y - a.cy, from.x - a.cx);
    return a;
}

double edgeBulge(const ContourEdge& e) {
    return e.sweep == 0.0 ? 0.0 : std::tan(e.sweep / 4.0);
}

double edgeLength(const ContourEdge& from, const ContourEdge& to) {
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    if (from.sweep == 0.0)
        return chord;
    // The arc over a chord c with sweep s has radius c / (2 sin(s / 2)).
    const double half = std::fabs(from.sweep) / 2.0;
    return chord * half / std::sin(half);
}

double distanceToEdge(const ContourEdge& from, const ContourEdge& to, const EdgeArc& arc, double px,
                      double py) {
    const auto length = [](double dx, double dy) { return std::sqrt(dx * dx + dy * dy); };
    const double toStart = length(px - from.x, py - from.y);
    const double toEnd = length(px - to.x, py - to.y);
    if (from.sweep == 0.0) {
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double lengthSquared = dx * dx + dy * dy;
        if (lengthSquared == 0.0)
            return toStart;
        const double t = ((px - from.x) * dx + (py - from.y) * dy) / lengthSquared;
        if (t <= 0.0 || t >= 1.0)
            return std::min(toStart, toEnd);
        return length(px - (from.x + t * dx), py - (from.y + t * dy));
    }
    const double angle = std::atan2(py - arc.cy, px - arc.cx);
    // How far along the arc, in its own direction, the point's angle lies.
    const double along = from.sweep > 0.0 ? ccwSweep(arc.start, angle) : ccwSweep(angle, arc.start);
    if (along <= std::fabs(from.sweep))
        return std::fabs(length(px - arc.cx, py - arc.cy) - arc.r);
    return std::min(toStart, toEnd);
}

LoopResult closeLoop(const std::string& name, Layer layer,
                     const std::vector<ContourPiece>& pieces) {
    LoopResult result;
    std::vector<ContourPiece> kept;
    for (const ContourPiece& p : pieces) {
        if (pieceLength(p) > ZERO_LENGTH)
            kept.push_back(p);
    }
    if (kept.size() < 2) {
        result.problem = "The " + name + " outline has too few pieces to close.";
        return result;
    }

    Contour& c = result.contour;
    c.name = name;
    c.layer = layer;
    const size_t n = kept.size();
    c.edges.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const ContourPiece& before = kept[(i + n - 1) % n];
        const ContourPiece& piece = kept[i];
        const double gap = std::hypot(piece.x1 - before.x2, piece.y1 - before.y2);
        // Written so that a gap that is not a number fails too.
        if (!(gap <= CONTOUR_GAP_LIMIT)) {
            result.problem = "The " + name + " outline does not close: the " + before.name +
                             " ends " + shortNumber(gap) + " away from where the " + piece.name +
                             " begins.";
            return result;
        }
        c.edges[i] = {(before.x2 + piece.x1) / 2.0, (before.y2 + piece.y1) / 2.0, piece.sweep,
                      piece.name};
    }

    mergeContinuations(c);
    const double turn = totalTurn(c);
    if (std::fabs(turn + CIRCLE_RADIANS) <= TURN_TOLERANCE) {
        reverse(c);
    } else if (!(std::fabs(turn - CIRCLE_RADIANS) <= TURN_TOLERANCE)) {
        result.problem =
            "The " + name + " outline does not run once around: its pieces cross or double back.";
    }
    return result;
}

}  // namespace bowlyn

#include "derive/mould.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "derive/measurements.h"
#include "derive/xy.h"

namespace bowlyn {
namespace {

// Turns smaller than this (radians) at a vertex are tangents that the
// single-precision outline misses by rounding. The two offset pieces may then
// meet half way between their ends, which moves each along itself by half
// the distance times the turn, s, and off itself by s^2 / 2R on an arc of
// radius R: while that stays below MIDPOINT_ERROR of the body's size. Else
// they are joined exactly like any corner, by a tiny arc or where they cross.
constexpr double TANGENT_TURN = 1e-6;
constexpr double MIDPOINT_ERROR = 1e-13;
// Checked points of the loop may lie off the distance by this fraction of
// the body's size: far beyond rounding, far below anything a saw could cut.
constexpr double DISTANCE_TOLERANCE = 1e-9;
// Points checked along each piece of the loop.
constexpr int CHECKS_PER_EDGE = 8;

// One body edge moved out: a line through its moved ends, or an arc on the
// same centre with the new radius. `start` and `end` are trimmed where the
// neighbours meet it.
struct OffsetPiece {
    bool arc = false;
    XY centre;  // an arc's
    double radius = 0;
    XY direction;  // a line's, of unit length
    double sweep = 0;
    XY start, end;
    const char* name = "";
};

std::string lengthText(double v, LengthUnit unit) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
    return std::string(buffer, result.ptr) + " " + unitName(unit);
}

struct Offsetter {
    const Contour& body;
    double d;
    LengthUnit unit;
    double size;  // of the body: how far its numbers reach
    std::vector<OffsetPiece> pieces;
    std::string problem;

    std::string refusal(const std::string& why) const {
        return "The mould cannot be drawn " + lengthText(d, unit) + " outside the body: " + why;
    }

    bool offsetEdges() {
        for (size_t i = 0; i < body.edges.size(); ++i) {
            const ContourEdge& a = body.edges[i];
            const ContourEdge& b = body.next(i);
            OffsetPiece p;
            p.name = a.name;
            p.sweep = a.sweep;
            if (a.sweep == 0.0) {
                const double length = std::hypot(b.x - a.x, b.y - a.y);
                p.direction = {(b.x - a.x) / length, (b.y - a.y) / length};
                // Outwards is to the right of a counter-clockwise loop.
                const XY n{p.direction.y, -p.direction.x};
                p.start = {a.x + d * n.x, a.y + d * n.y};
                p.end = {b.x + d * n.x, b.y + d * n.y};
            } else {
                const EdgeArc circle = edgeArc(a, b);
                p.arc = true;
                p.centre = {circle.cx, circle.cy};
                // A clockwise arc curves into the body: its centre is outside.
                p.radius = a.sweep > 0.0 ? circle.r + d : circle.r - d;
                if (!(p.radius > 0.0)) {
                    problem = refusal("the " + std::string(a.name) +
                                      " curves inwards with a radius of only " +
                                      lengthText(circle.r, unit) + ".");
                    return false;
                }
                const double k = p.radius / circle.r;
                p.start = {circle.cx + (a.x - circle.cx) * k, circle.cy + (a.y - circle.cy) * k};
                p.end = {circle.cx + (b.x - circle.cx) * k, circle.cy + (b.y - circle.cy) * k};
            }
            pieces.push_back(p);
        }
        return true;
    }

    // Where two offset pieces (as whole lines and circles) cross, nearest to
    // `near`.
    static std::optional<XY> crossing(const OffsetPiece& a, const OffsetPiece& b, XY near) {
        std::array<XY, 2> found;
        if (!a.arc && !b.arc) {
            const double cross = a.direction.x * b.direction.y - a.direction.y * b.direction.x;
            if (cross == 0.0)
                return std::nullopt;
            const double dx = b.start.x - a.start.x, dy = b.start.y - a.start.y;
            const double t = (dx * b.direction.y - dy * b.direction.x) / cross;
            return XY{a.start.x + t * a.direction.x, a.start.y + t * a.direction.y};
        }
        if (a.arc != b.arc) {
            const OffsetPiece& line = a.arc ? b : a;
            const OffsetPiece& circle = a.arc ? a : b;
            const XY u = line.direction;
            const double along =
                (circle.centre.x - line.start.x) * u.x + (circle.centre.y - line.start.y) * u.y;
            const XY foot{line.start.x + along * u.x, line.start.y + along * u.y};
            const double off = distance(foot, circle.centre);
            const double h2 = circle.radius * circle.radius - off * off;
            if (h2 < 0.0)
                return std::nullopt;
            const double h = std::sqrt(h2);
            found = {XY{foot.x + h * u.x, foot.y + h * u.y},
                     XY{foot.x - h * u.x, foot.y - h * u.y}};
        } else {
            const double between = distance(a.centre, b.centre);
            if (between == 0.0)
                return std::nullopt;
            const double along =
                (between * between + a.radius * a.radius - b.radius * b.radius) / (2.0 * between);
            const double h2 = a.radius * a.radius - along * along;
            if (h2 < 0.0)
                return std::nullopt;
            const double h = std::sqrt(h2);
            const XY u{(b.centre.x - a.centre.x) / between, (b.centre.y - a.centre.y) / between};
            const XY m{a.centre.x + along * u.x, a.centre.y + along * u.y};
            found = {XY{m.x - h * u.y, m.y + h * u.x}, XY{m.x + h * u.y, m.y - h * u.x}};
        }
        return distance(found[0], near) <= distance(found[1], near) ? found[0] : found[1];
    }

    // Whether the two pieces may meet half way between their ends at a body
    // vertex that turns by `turn`.
    bool meetHalfWay(const OffsetPiece& a, const OffsetPiece& b, double turn) const {
        if (!(std::fabs(turn) <= TANGENT_TURN))
            return false;
        const double shift = d * std::fabs(turn) / 2.0;
        double tightest = INFINITY;
        for (const OffsetPiece* p : {&a, &b}) {
            if (p->arc)
                tightest = std::min(tightest, p->radius);
        }
        return shift * shift / (2.0 * tightest) <= MIDPOINT_ERROR * size;
    }

    // Joins the pieces at each body vertex; returns the outward turns,
    // which become round corners.
    std::vector<double> joinCorners() {
        const size_t n = pieces.size();
        std::vector<double> corners(n, 0.0);
        for (size_t i = 0; i < n && problem.empty(); ++i) {
            OffsetPiece& before = pieces[(i + n - 1) % n];
            OffsetPiece& after = pieces[i];
            const double turn = turnAt(body, i);
            const XY middle{(before.end.x + after.start.x) / 2.0,
                            (before.end.y + after.start.y) / 2.0};
            std::optional<XY> meet = middle;
            if (!meetHalfWay(before, after, turn)) {
                if (turn > 0.0) {
                    corners[i] = turn;
                    continue;
                }
                meet = crossing(before, after, middle);
                // Pieces that a rounding keeps from crossing at a tangent
                // meet half way after all.
                if (!meet && std::fabs(turn) <= TANGENT_TURN)
                    meet = middle;
            }
            if (!meet) {
                problem = refusal("the outline turns inwards too sharply between the " +
                                  std::string(before.name) + " and the " + after.name + ".");
                break;
            }
            before.end = *meet;
            after.start = *meet;
        }
        return corners;
    }

    // The piece as an edge of the loop, trimmed where its neighbours meet
    // it; nothing when that left nothing of it.
    std::optional<ContourEdge> edgeOf(const OffsetPiece& p, const OffsetPiece& untrimmed) {
        ContourEdge e{p.start.x, p.start.y, 0.0, p.name};
        double left = 0.0;
        if (!p.arc) {
            left = (p.end.x - p.start.x) * p.direction.x + (p.end.y - p.start.y) * p.direction.y;
        } else {
            // The sweep less what the ends moved along the circle, forwards
            // at the start and backwards at the end; an arc that loses more
            // than its sweep is turned round.
            const auto angle = [&](XY q) { return std::atan2(q.y - p.centre.y, q.x - p.centre.x); };
            const auto moved = [](double from, double to) {
                return std::remainder(to - from, CIRCLE_RADIANS);
            };
            const double forwards = p.sweep > 0.0 ? 1.0 : -1.0;
            left = std::fabs(p.sweep) - forwards * moved(angle(untrimmed.start), angle(p.start)) +
                   forwards * moved(angle(untrimmed.end), angle(p.end));
            e.sweep = forwards * left;
        }
        if (left < 0.0)
            problem = refusal("the " + std::string(p.name) + " is too short for that distance.");
        if (!(left > 0.0))
            return std::nullopt;
        return e;
    }

    Contour loop(const std::vector<double>& corners, const std::vector<OffsetPiece>& untrimmed) {
        Contour c;
        c.name = "mould";
        c.layer = Layer::Mould;
        const size_t n = pieces.size();
        for (size_t i = 0; i < n && problem.empty(); ++i) {
            if (corners[i] > 0.0) {
                const OffsetPiece& before = pieces[(i + n - 1) % n];
                c.edges.push_back({before.end.x, before.end.y, corners[i], "round corner"});
            }
            if (std::optional<ContourEdge> e = edgeOf(pieces[i], untrimmed[i]))
                c.edges.push_back(*e);
        }
        return c;
    }
};

// Points along each edge of a loop, its vertices included.
std::vector<XY> checkPoints(const Contour& c) {
    std::vector<XY> points;
    for (size_t i = 0; i < c.edges.size(); ++i) {
        const ContourEdge& a = c.edges[i];
        const ContourEdge& b = c.next(i);
        const EdgeArc arc = a.sweep == 0.0 ? EdgeArc{} : edgeArc(a, b);
        for (int k = 0; k < CHECKS_PER_EDGE; ++k) {
            const double f = static_cast<double>(k) / CHECKS_PER_EDGE;
            if (a.sweep == 0.0) {
                points.push_back({a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)});
            } else {
                const double angle = arc.start + f * a.sweep;
                points.push_back(
                    {arc.cx + arc.r * std::cos(angle), arc.cy + arc.r * std::sin(angle)});
            }
        }
    }
    return points;
}

// Whether the loop keeps the distance from the body everywhere: the local
// construction cannot see a part of the outline that the offset reaches
// round the far side of a narrow notch.
// How far a point lies from a rectangle (0 inside it).
double distanceToBox(const Bounds& b, const XY& p) {
    const double dx = std::max({b.minX - p.x, 0.0, p.x - b.maxX});
    const double dy = std::max({b.minY - p.y, 0.0, p.y - b.maxY});
    return std::sqrt(dx * dx + dy * dy);
}

std::string distanceProblem(const Contour& body, const Contour& mould, double d,
                            const Offsetter& o) {
    // Each body edge's circle and the rectangle round it, so that the exact
    // distance is only worked out for edges that can lie near enough.
    std::vector<EdgeArc> arcs;
    std::vector<Bounds> boxes;
    for (size_t i = 0; i < body.edges.size(); ++i) {
        const ContourEdge& e = body.edges[i];
        arcs.push_back(e.sweep == 0.0 ? EdgeArc{} : edgeArc(e, body.next(i)));
        Bounds b;
        b.add(e.x, e.y);
        b.add(body.next(i).x, body.next(i).y);
        if (e.sweep != 0.0)
            b.addArc(arcs[i].cx, arcs[i].cy, arcs[i].r, arcs[i].start, e.sweep);
        boxes.push_back(b);
    }
    const double tolerance = DISTANCE_TOLERANCE * std::max(d, contourBounds(body).reach());
    for (const XY& p : checkPoints(mould)) {
        double nearest = INFINITY, nearestBox = INFINITY;
        size_t which = 0;
        for (size_t i = 0; i < body.edges.size(); ++i) {
            const double box = distanceToBox(boxes[i], p);
            if (box < nearestBox && nearest == INFINITY)
                which = i;
            nearestBox = std::min(nearestBox, box);
            if (box > d + tolerance)
                continue;
            const double to = distanceToEdge(body.edges[i], body.next(i), arcs[i], p.x, p.y);
            if (to < nearest) {
                nearest = to;
                which = i;
            }
        }
        if (nearest < d - tolerance)
            return o.refusal("it would come closer than that to the " +
                             std::string(body.edges[which].name) + ".");
        if (!(nearest <= d + tolerance))
            return o.refusal("the outline turns too tightly near the " +
                             std::string(body.edges[which].name) + " for that distance.");
    }
    return "";
}

bool runsOnceAround(const Contour& c) {
    if (c.edges.size() < 2)
        return false;
    double total = 0.0;
    for (size_t i = 0; i < c.edges.size(); ++i)
        total += c.edges[i].sweep + turnAt(c, i);
    return std::fabs(total - CIRCLE_RADIANS) <= TANGENT_TURN;
}

}  // namespace

MouldResult mouldLoop(const Contour& body, double distance, LengthUnit unit) {
    MouldResult result;
    Offsetter o{body, distance, unit, contourBounds(body).reach(), {}, ""};
    if (!(distance > 0.0) || !std::isfinite(distance)) {
        result.problem = "The mould's distance from the body must be a number greater than 0.";
        return result;
    }
    if (body.edges.size() < 2) {
        result.problem = "The body outline is missing.";
        return result;
    }
    if (o.offsetEdges()) {
        const std::vector<OffsetPiece> untrimmed = o.pieces;
        const std::vector<double> corners = o.joinCorners();
        if (o.problem.empty())
            result.loop = o.loop(corners, untrimmed);
    }
    if (o.problem.empty() && !runsOnceAround(result.loop))
        o.problem = o.refusal("the offset outline would cross itself.");
    if (o.problem.empty())
        o.problem = distanceProblem(body, result.loop, distance, o);
    if (!o.problem.empty()) {
        result.loop = Contour{};
        result.problem = o.problem;
    }
    return result;
}

}  // namespace bowlyn

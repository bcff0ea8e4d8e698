#include "trace/outline_loops.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace bowlyn {
namespace {

// Ends of pieces closer than this share of the drawing's size are joined.
constexpr double JOIN_SHARE = 1e-3;
// A straight edge at least this share of the loop's size, with the rest of
// the loop on one side of it, is a centre line closing a half.
constexpr double CENTRE_LINE_SHARE = 0.6;
// How far (as a share of the centre line) a half may stray across it.
constexpr double HALF_SLACK = 0.01;
// Ends of pieces compared with each end, each way along x.
constexpr size_t MAX_LOOKED = 64;
// The loop is checked for crossings and measured on this many points.
constexpr size_t CHECK_POINTS = 2000;

double dist(const TracePoint& a, const TracePoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

struct Box {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    void add(const TracePoint& p) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    double diagonal() const { return std::hypot(x1 - x0, y1 - y0); }
};

Box boxOf(const Polyline& points) {
    Box box;
    for (const TracePoint& p : points)
        box.add(p);
    return box;
}

double area(const Polyline& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const TracePoint& q = p[i];
        const TracePoint& r = p[(i + 1) % p.size()];
        a += q.x * r.y - r.x * q.y;
    }
    return a / 2;
}

// Drops points equal to the one before (and a last point equal to the first
// of a closed run).
Polyline withoutRepeats(const Polyline& points, bool closed) {
    Polyline out;
    for (const TracePoint& p : points) {
        if (out.empty() || out.back().x != p.x || out.back().y != p.y)
            out.push_back(p);
    }
    while (closed && out.size() > 1 && out.front().x == out.back().x &&
           out.front().y == out.back().y)
        out.pop_back();
    return out;
}

// Whether all points lie on one side of the line from a to b (within slack).
bool oneSide(const Polyline& points, const TracePoint& a, const TracePoint& b) {
    const double length = dist(a, b);
    double low = 0, high = 0;
    for (const TracePoint& p : points) {
        const double side = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
        low = std::min(low, side);
        high = std::max(high, side);
    }
    const double slack = HALF_SLACK * length;
    return low >= -slack || high <= slack;
}

struct Candidate {
    Polyline points;
    bool half = false;
    double area = 0;
};

// An open run from one end of a centre line to the other, or nothing.
std::optional<Candidate> asHalf(const Polyline& run) {
    if (run.size() < 3)
        return std::nullopt;
    const TracePoint &a = run.front(), &b = run.back();
    if (dist(a, b) < CENTRE_LINE_SHARE * boxOf(run).diagonal() || !oneSide(run, a, b))
        return std::nullopt;
    return Candidate{run, true, std::fabs(area(run))};
}

// A closed loop, as a whole outline or as a half closed by its centre line.
std::optional<Candidate> asLoop(const Polyline& loop) {
    if (loop.size() < 3 || !(std::fabs(area(loop)) > 0))
        return std::nullopt;
    size_t longest = 0;
    for (size_t i = 1; i < loop.size(); ++i) {
        if (dist(loop[i], loop[(i + 1) % loop.size()]) >
            dist(loop[longest], loop[(longest + 1) % loop.size()]))
            longest = i;
    }
    const TracePoint& a = loop[longest];
    const TracePoint& b = loop[(longest + 1) % loop.size()];
    if (dist(a, b) >= CENTRE_LINE_SHARE * boxOf(loop).diagonal() && oneSide(loop, a, b)) {
        // The run from b round to a, without the line between them.
        Polyline run;
        for (size_t k = 1; k <= loop.size(); ++k)
            run.push_back(loop[(longest + k) % loop.size()]);
        return Candidate{run, true, std::fabs(area(run))};
    }
    return Candidate{loop, false, std::fabs(area(loop))};
}

double medianStep(const Polyline& run) {
    std::vector<double> steps;
    for (size_t i = 1; i < run.size(); ++i)
        steps.push_back(dist(run[i - 1], run[i]));
    if (steps.empty())
        return 0;
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    return steps[steps.size() / 2];
}

// Joins open pieces whose ends lie within `tolerance`, each end to the
// nearest other end that has it as its nearest too.
class Chains {
  public:
    Chains(const std::vector<const Polyline*>& pieces, double tolerance)
        : pieces_(pieces), link_(pieces.size() * 2, -1) {
        const size_t ends = pieces.size() * 2;
        std::vector<size_t> order(ends);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return end(a).x < end(b).x; });
        std::vector<long> nearest(ends, -1);
        for (size_t k = 0; k < ends; ++k) {
            const TracePoint& p = end(order[k]);
            double best = tolerance;
            for (size_t dir = 0; dir < 2; ++dir) {
                size_t looked = 0;
                for (size_t j = k; dir == 0 ? j-- > 0 : ++j < ends;) {
                    const TracePoint& q = end(order[j]);
                    // Ends piled on one x (a hostile file's) are looked at
                    // only so far, so that joining stays linear.
                    if (std::fabs(q.x - p.x) > best || ++looked > MAX_LOOKED)
                        break;
                    const double d = dist(p, q);
                    if (d <= best) {
                        best = d;
                        nearest[order[k]] = static_cast<long>(order[j]);
                    }
                }
            }
        }
        for (size_t e = 0; e < ends; ++e) {
            const long n = nearest[e];
            if (n >= 0 && nearest[static_cast<size_t>(n)] == static_cast<long>(e))
                link_[e] = n;
        }
    }

    // Every chain: its points and whether it came back to where it started.
    void walk(std::vector<Polyline>& loops, std::vector<Polyline>& runs) const {
        std::vector<bool> used(pieces_.size(), false);
        for (size_t start = 0; start < pieces_.size(); ++start) {
            if (used[start])
                continue;
            // Back to the first piece of an open chain (or round a loop).
            size_t piece = start, entry = 0;
            for (size_t steps = 0; steps < pieces_.size(); ++steps) {
                const long back = link_[piece * 2 + entry];
                if (back < 0 || static_cast<size_t>(back) / 2 == start)
                    break;
                piece = static_cast<size_t>(back) / 2;
                entry = 1 - static_cast<size_t>(back) % 2;
            }
            Polyline run;
            bool closed = false;
            const size_t first = piece;
            while (!used[piece]) {
                used[piece] = true;
                Polyline p = *pieces_[piece];
                if (entry == 1)
                    std::reverse(p.begin(), p.end());
                // Two ends that meet are one point, midway: a corner whose
                // ends miss each other by a rounding error would otherwise
                // cross itself.
                if (!run.empty()) {
                    run.back() = {(run.back().x + p.front().x) / 2,
                                  (run.back().y + p.front().y) / 2};
                    p.erase(p.begin());
                }
                run.insert(run.end(), p.begin(), p.end());
                const long next = link_[piece * 2 + 1 - entry];
                if (next < 0)
                    break;
                piece = static_cast<size_t>(next) / 2;
                entry = static_cast<size_t>(next) % 2;
                closed = piece == first;
            }
            if (closed && run.size() > 1) {
                run.front() = {(run.front().x + run.back().x) / 2,
                               (run.front().y + run.back().y) / 2};
                run.pop_back();
            }
            (closed ? loops : runs).push_back(withoutRepeats(run, closed));
        }
    }

  private:
    const TracePoint& end(size_t e) const {
        const Polyline& p = *pieces_[e / 2];
        return e % 2 == 0 ? p.front() : p.back();
    }

    const std::vector<const Polyline*>& pieces_;
    std::vector<long> link_;
};

bool segmentsCross(const TracePoint& a, const TracePoint& b, const TracePoint& c,
                   const TracePoint& d) {
    auto orient = [](const TracePoint& p, const TracePoint& q, const TracePoint& r) {
        const double v = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
        return (v > 0) - (v < 0);
    };
    const int o1 = orient(a, b, c), o2 = orient(a, b, d);
    const int o3 = orient(c, d, a), o4 = orient(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

}  // namespace

Polyline resampled(const Polyline& points, bool closed, size_t count) {
    Polyline out;
    if (points.empty() || count == 0)
        return out;
    const size_t edges = closed ? points.size() : points.size() - 1;
    std::vector<double> along(edges + 1, 0.0);
    for (size_t i = 0; i < edges; ++i)
        along[i + 1] = along[i] + dist(points[i], points[(i + 1) % points.size()]);
    const double total = along.back();
    if (!(total > 0))
        return Polyline(count, points.front());
    const double step = total / static_cast<double>(closed ? count : count - 1);
    size_t edge = 0;
    for (size_t k = 0; k < count; ++k) {
        const double s = std::min(total, step * static_cast<double>(k));
        while (edge + 1 < edges && along[edge + 1] < s)
            ++edge;
        const double length = along[edge + 1] - along[edge];
        const double t = length > 0 ? (s - along[edge]) / length : 0.0;
        const TracePoint& a = points[edge];
        const TracePoint& b = points[(edge + 1) % points.size()];
        out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
    return out;
}

bool selfCrossing(const Polyline& p, bool closed) {
    const size_t n = p.size();
    const size_t edges = closed ? n : n - 1;
    if (n < 4)
        return false;
    for (size_t i = 0; i < edges; ++i) {
        const TracePoint &a = p[i], &b = p[(i + 1) % n];
        const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
        const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
        for (size_t j = i + 2; j < edges; ++j) {
            if (closed && i == 0 && j == edges - 1)
                continue;  // the loop's last edge meets its first
            const TracePoint &c = p[j], &d = p[(j + 1) % n];
            if (std::max(c.x, d.x) < x0 || std::min(c.x, d.x) > x1 || std::max(c.y, d.y) < y0 ||
                std::min(c.y, d.y) > y1)
                continue;
            if (segmentsCross(a, b, c, d))
                return true;
        }
    }
    return false;
}

TracedOutline outlineOf(const TraceFile& file, std::optional<double> unit,
                        const std::string& unitHint) {
    TracedOutline result;
    if (!file.problem.empty()) {
        result.problem = file.problem;
        return result;
    }
    if (file.pieces.empty()) {
        result.problem = "no outline: the file holds no lines or curves";
        return result;
    }
    const std::optional<double> mm = file.mmPerUnit ? file.mmPerUnit : unit;
    if (!mm) {
        result.problem = "the file does not say what unit it is in: " + unitHint;
        return result;
    }
    size_t total = 0;
    for (const TracePiece& piece : file.pieces)
        total += piece.points.size();
    if (total < OUTLINE_MIN_POINTS) {
        result.problem = "the file holds only " + std::to_string(total) +
                         " points; a fit needs at least " + std::to_string(OUTLINE_MIN_POINTS);
        return result;
    }
    std::vector<Polyline> loops, runs;
    std::vector<Polyline> open;
    Box all;
    for (const TracePiece& piece : file.pieces) {
        Polyline points = piece.points;
        for (TracePoint& p : points) {
            p.x *= *mm;
            p.y *= *mm;
            all.add(p);
        }
        points = withoutRepeats(points, piece.closed);
        if (points.empty())
            continue;
        (piece.closed ? loops : open).push_back(std::move(points));
    }
    std::vector<const Polyline*> pointers;
    for (const Polyline& p : open)
        pointers.push_back(&p);
    Chains(pointers, JOIN_SHARE * all.diagonal()).walk(loops, runs);

    std::optional<Candidate> best;
    auto consider = [&](std::optional<Candidate> c) {
        if (c && (!best || c->area > best->area))
            best = std::move(c);
    };
    for (const Polyline& loop : loops)
        consider(asLoop(loop));
    for (Polyline& run : runs) {
        // A run whose ends nearly meet is a loop drawn without its last step.
        const bool nearlyClosed =
            run.size() >= 3 && dist(run.front(), run.back()) <=
                                   std::max(JOIN_SHARE * all.diagonal(), 3 * medianStep(run));
        consider(nearlyClosed ? asLoop(withoutRepeats(run, true)) : asHalf(run));
    }
    if (!best) {
        result.problem =
            "no closed outline: no lines or curves in the file close round a body or run from one "
            "end of a centre line to the other";
        return result;
    }
    const Polyline& points = best->points;
    if (points.size() < OUTLINE_MIN_POINTS) {
        result.problem = "the outline has only " + std::to_string(points.size()) +
                         " points; a fit needs at least " + std::to_string(OUTLINE_MIN_POINTS);
        return result;
    }
    const Box box = boxOf(points);
    const double size = std::max(box.x1 - box.x0, box.y1 - box.y0);
    if (!(size >= OUTLINE_MIN_MM && size <= OUTLINE_MAX_MM)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6g", size);
        result.problem = std::string("the outline is ") + text +
                         " mm long, which no body is: is its unit right? (" + unitHint + ")";
        return result;
    }
    // A half crosses itself when its centre line does too.
    const size_t check = std::min(points.size(), CHECK_POINTS);
    if (selfCrossing(points.size() > check ? resampled(points, true, check) : points, true)) {
        result.problem = "the outline crosses itself";
        return result;
    }
    result.points = points;
    result.half = best->half;
    result.inches = *mm == 25.4;
    return result;
}

}  // namespace bowlyn

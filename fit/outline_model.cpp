#include "fit/outline_model.h"

#include <algorithm>
#include <cmath>

#include "geometry/recompute.h"

namespace bowlyn {
namespace {

double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

ModelPiece prepared(const OutlinePiece& p) {
    ModelPiece m;
    m.arc = p.arc;
    if (!p.arc) {
        m.x1 = p.x1;
        m.y1 = p.y1;
        m.x2 = p.x2;
        m.y2 = p.y2;
        return m;
    }
    m.cx = p.cx;
    m.cy = p.cy;
    m.r = p.r;
    m.sweep = ccwSweep(p.a1, p.a2);
    m.x1 = p.cx + p.r * std::cos(p.a1);
    m.y1 = p.cy + p.r * std::sin(p.a1);
    m.x2 = p.cx + p.r * std::cos(p.a2);
    m.y2 = p.cy + p.r * std::sin(p.a2);
    return m;
}

}  // namespace

std::optional<std::vector<ModelPiece>> OutlineModel::solve(const DesignParameters& p) const {
    BodyOutline outline;
    if (solveBody(p, outline))
        return std::nullopt;
    const bool cutaway = p.hasCutaway;
    std::vector<ModelPiece> pieces;
    for (const OutlinePiece& piece : drawnOutline(outlineRecord(p, outline), cutaway)) {
        const ModelPiece m = prepared(piece);
        if (!std::isfinite(m.x1 + m.y1 + m.x2 + m.y2 + m.cx + m.cy + m.r))
            return std::nullopt;
        pieces.push_back(m);
    }
    if (pieces.empty())
        return std::nullopt;
    return pieces;
}

std::vector<std::pair<double, double>> sampledOutline(const std::vector<ModelPiece>& pieces,
                                                      double spacing) {
    std::vector<std::pair<double, double>> points;
    // Drawn pieces keep their drawing's direction: each is walked from the
    // end that meets the one before (the first towards the second).
    double px = 0, py = 0;
    if (pieces.size() > 1) {
        const ModelPiece &a = pieces[0], &b = pieces[1];
        const auto gap = [&](double x, double y) {
            return std::min(std::hypot(b.x1 - x, b.y1 - y), std::hypot(b.x2 - x, b.y2 - y));
        };
        const bool firstForward = gap(a.x2, a.y2) <= gap(a.x1, a.y1);
        px = firstForward ? a.x1 : a.x2;
        py = firstForward ? a.y1 : a.y2;
    }
    for (const ModelPiece& m : pieces) {
        const bool forward = std::hypot(m.x1 - px, m.y1 - py) <= std::hypot(m.x2 - px, m.y2 - py);
        px = forward ? m.x2 : m.x1;
        py = forward ? m.y2 : m.y1;
        const double length = m.arc ? m.r * m.sweep : std::hypot(m.x2 - m.x1, m.y2 - m.y1);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        const double a1 = std::atan2(m.y1 - m.cy, m.x1 - m.cx);
        for (int k = 0; k < steps; ++k) {
            const double t = static_cast<double>(forward ? k : steps - k) / steps;
            if (m.arc)
                points.emplace_back(m.cx + m.r * std::cos(a1 + t * m.sweep),
                                    m.cy + m.r * std::sin(a1 + t * m.sweep));
            else
                points.emplace_back(m.x1 + t * (m.x2 - m.x1), m.y1 + t * (m.y2 - m.y1));
        }
    }
    return points;
}

namespace {

// std::hypot guards against overflow that body sizes never come near, at
// several times the cost; the fit spends most of its time here.
double length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

double distanceTo(const ModelPiece& m, double x, double y) {
    if (!m.arc) {
        const double dx = m.x2 - m.x1, dy = m.y2 - m.y1;
        const double length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? ((x - m.x1) * dx + (y - m.y1) * dy) / length2 : 0.0;
        t = std::fmin(1.0, std::fmax(0.0, t));
        return length(x - (m.x1 + t * dx), y - (m.y1 + t * dy));
    }
    // Within the arc's sector when the direction lies counter-clockwise from
    // the start and clockwise from the end (for a sweep up to a half turn),
    // or outside the opposite sector (for a longer one).
    const double vx = x - m.cx, vy = y - m.cy;
    const double ux = m.x1 - m.cx, uy = m.y1 - m.cy, wx = m.x2 - m.cx, wy = m.y2 - m.cy;
    const bool inside = m.sweep <= CIRCLE_RADIANS / 2
                            ? cross(ux, uy, vx, vy) >= 0 && cross(vx, vy, wx, wy) >= 0
                            : !(cross(wx, wy, vx, vy) > 0 && cross(vx, vy, ux, uy) > 0);
    if (inside)
        return std::fabs(length(vx, vy) - m.r);
    return std::sqrt(std::fmin((x - m.x1) * (x - m.x1) + (y - m.y1) * (y - m.y1),
                               (x - m.x2) * (x - m.x2) + (y - m.y2) * (y - m.y2)));
}

double distanceTo(const std::vector<ModelPiece>& pieces, double x, double y, size_t* nearest) {
    double best = INFINITY;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const double d = distanceTo(pieces[i], x, y);
        if (d < best) {
            best = d;
            if (nearest)
                *nearest = i;
        }
    }
    return best;
}

}  // namespace bowlyn

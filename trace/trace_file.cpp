#include "trace/trace_file.h"

#include <algorithm>
#include <cmath>

#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

// Steps per whole turn of an arc, and per Bezier curve: a quarter circle of
// 200 mm radius drawn as one curve then strays at most 0.015 mm.
constexpr double ARC_STEPS_PER_TURN = 256;
constexpr int CUBIC_STEPS = 64;

}  // namespace

void appendArc(Polyline& out, double cx, double cy, double r, double start, double sweep) {
    const int steps = std::clamp(
        static_cast<int>(std::ceil(std::fabs(sweep) / CIRCLE_RADIANS * ARC_STEPS_PER_TURN)), 1,
        static_cast<int>(ARC_STEPS_PER_TURN));
    for (int i = 1; i <= steps; ++i) {
        const double a = start + sweep * i / steps;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}

void appendCubic(Polyline& out, const TracePoint& p0, const TracePoint& p1, const TracePoint& p2,
                 const TracePoint& p3) {
    for (int i = 1; i <= CUBIC_STEPS; ++i) {
        const double t = static_cast<double>(i) / CUBIC_STEPS, u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        out.push_back(
            {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
}

void appendBulge(Polyline& out, const TracePoint& from, const TracePoint& to, double bulge) {
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    if (bulge == 0 || chord == 0 || !std::isfinite(bulge)) {
        out.push_back(to);
        return;
    }
    // The sweep is 4 atan(bulge), counter-clockwise when the bulge is
    // positive; the centre lies on the chord's perpendicular bisector.
    const double sweep = 4 * std::atan(bulge);
    const double r = chord / (2 * std::sin(std::fabs(sweep) / 2));
    const double mx = (from.x + to.x) / 2, my = (from.y + to.y) / 2;
    const double h = r * std::cos(sweep / 2);  // signed distance of the centre from the chord
    const double nx = -(to.y - from.y) / chord, ny = (to.x - from.x) / chord;
    const double side = sweep > 0 ? 1.0 : -1.0;
    const double cx = mx + side * h * nx, cy = my + side * h * ny;
    appendArc(out, cx, cy, r, std::atan2(from.y - cy, from.x - cx), sweep);
    out.back() = to;
}

bool finitePiece(const TracePiece& piece) {
    return std::all_of(piece.points.begin(), piece.points.end(), [](const TracePoint& p) {
        return std::isfinite(p.x) && std::isfinite(p.y);
    });
}

}  // namespace bowlyn

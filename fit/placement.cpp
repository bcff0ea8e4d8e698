#include "fit/placement.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <unsupported/Eigen/LevenbergMarquardt>

#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;
// The outline is compared with its mirror image on this many points.
constexpr size_t SYMMETRY_POINTS = 300;
// The lower part of the body, where no cutaway is, sets the centre line.
constexpr double LOWER_SHARE = 0.6;
// Points farther than this from the mirror image of the outline (a share of
// the body's length, and at least CUTAWAY_MIN_MM), above LOWER_SHARE of the
// length, are a cutaway when there are enough of them.
constexpr double CUTAWAY_SHARE = 0.01;
constexpr double CUTAWAY_MIN_MM = 2.0;
constexpr double CUTAWAY_MIN_POINTS_SHARE = 0.02;

double distanceToPolyline(const Polyline& loop, const TracePoint& p) {
    double best = INFINITY;  // squared
    for (size_t i = 0; i < loop.size(); ++i) {
        const TracePoint& a = loop[i];
        const TracePoint& b = loop[(i + 1) % loop.size()];
        const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
        double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = p.x - a.x - t * dx, ey = p.y - a.y - t * dy;
        best = std::min(best, ex * ex + ey * ey);
    }
    return std::sqrt(best);
}

bool insidePolygon(const Polyline& loop, const TracePoint& p) {
    bool inside = false;
    for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
        const TracePoint &a = loop[i], &b = loop[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// The mirror image of p about the line through `origin` in direction `angle`.
TracePoint reflected(const TracePoint& p, const TracePoint& origin, double angle) {
    const double ux = std::cos(angle), uy = std::sin(angle);
    const double dx = p.x - origin.x, dy = p.y - origin.y;
    const double along = dx * ux + dy * uy;
    return {origin.x + 2 * along * ux - dx, origin.y + 2 * along * uy - dy};
}

// How far the mirror images of `points` about a line lie from the loop: the
// line turned by x[0] and moved sideways by x[1] from the one given.
struct SymmetryCost : Eigen::DenseFunctor<double> {
    const Polyline& points;
    const Polyline& loop;
    TracePoint origin;
    double angle;

    SymmetryCost(const Polyline& pts, const Polyline& lp, TracePoint o, double a)
        : DenseFunctor(2, static_cast<int>(pts.size())),
          points(pts),
          loop(lp),
          origin(o),
          angle(a) {}

    TracePoint originAt(const InputType& x) const {
        return {origin.x - std::sin(angle) * x[1], origin.y + std::cos(angle) * x[1]};
    }
    int operator()(const InputType& x, ValueType& f) const {
        const TracePoint o = originAt(x);
        for (size_t i = 0; i < points.size(); ++i)
            f[static_cast<Eigen::Index>(i)] =
                distanceToPolyline(loop, reflected(points[i], o, angle + x[0]));
        return 0;
    }
    int df(const InputType& x, JacobianType& j) const {
        ValueType f0(values()), f1(values());
        (*this)(x, f0);
        const double steps[2] = {1e-5, 1e-3};
        for (int k = 0; k < 2; ++k) {
            InputType y = x;
            y[k] += steps[k];
            (*this)(y, f1);
            j.col(k) = (f1 - f0) / steps[k];
        }
        return 0;
    }
};

// The line (through `origin`, at `angle`) about which `points` best mirror
// onto `loop`, starting from the one given.
void bestAxis(const Polyline& points, const Polyline& loop, TracePoint& origin, double& angle) {
    SymmetryCost cost(points, loop, origin, angle);
    Eigen::LevenbergMarquardt<SymmetryCost> lm(cost);
    lm.setMaxfev(200);
    Eigen::VectorXd x = Eigen::VectorXd::Zero(2);
    lm.minimize(x);
    if (!x.allFinite())
        return;
    origin = cost.originAt(x);
    angle += x[0];
}

// Along the direction: the widest extent across in the first and in the
// second half of the outline's length.
bool widerAtStart(const Polyline& points, const TracePoint& origin, double angle, bool half) {
    const double ux = std::cos(angle), uy = std::sin(angle);
    double lo = INFINITY, hi = -INFINITY;
    for (const TracePoint& p : points) {
        const double s = (p.x - origin.x) * ux + (p.y - origin.y) * uy;
        lo = std::min(lo, s);
        hi = std::max(hi, s);
    }
    const double middle = (lo + hi) / 2;
    double widths[2][2] = {{INFINITY, -INFINITY}, {INFINITY, -INFINITY}};
    for (const TracePoint& p : points) {
        const double s = (p.x - origin.x) * ux + (p.y - origin.y) * uy;
        const double across = -(p.x - origin.x) * uy + (p.y - origin.y) * ux;
        double(&w)[2] = widths[s < middle ? 0 : 1];
        w[0] = std::min(w[0], half ? 0.0 : across);
        w[1] = std::max(w[1], half ? std::fabs(across) : across);
    }
    return widths[0][1] - widths[0][0] >= widths[1][1] - widths[1][0];
}

// The centre line's start: where the outline reaches farthest back along it.
TracePoint tailOf(const Polyline& points, const TracePoint& origin, double angle) {
    const double ux = std::cos(angle), uy = std::sin(angle);
    double lo = INFINITY;
    for (const TracePoint& p : points)
        lo = std::min(lo, (p.x - origin.x) * ux + (p.y - origin.y) * uy);
    return {origin.x + lo * ux, origin.y + lo * uy};
}

Polyline inBody(const Polyline& points, const Placement& placement) {
    Polyline body;
    body.reserve(points.size());
    for (const TracePoint& p : points)
        body.push_back(placement.toBody(p));
    return body;
}

double lengthOf(const Polyline& body) {
    double top = 0;
    for (const TracePoint& p : body)
        top = std::max(top, p.y);
    return top;
}

// The main direction of the points (of their largest spread).
double mainDirection(const Polyline& points, TracePoint& centre) {
    centre = {0, 0};
    for (const TracePoint& p : points) {
        centre.x += p.x;
        centre.y += p.y;
    }
    centre.x /= static_cast<double>(points.size());
    centre.y /= static_cast<double>(points.size());
    double sxx = 0, sxy = 0, syy = 0;
    for (const TracePoint& p : points) {
        sxx += (p.x - centre.x) * (p.x - centre.x);
        sxy += (p.x - centre.x) * (p.y - centre.y);
        syy += (p.y - centre.y) * (p.y - centre.y);
    }
    return 0.5 * std::atan2(2 * sxy, sxx - syy);
}

PlacedOutline placeHalf(const Polyline& points) {
    PlacedOutline placed;
    placed.half = true;
    const TracePoint &a = points.front(), &b = points.back();
    double angle = std::atan2(b.y - a.y, b.x - a.x);
    if (!widerAtStart(points, a, angle, true))
        angle += PI;
    Placement& pl = placed.placement;
    pl.angle = angle;
    pl.tail = tailOf({a, b}, a, angle);
    // The half lies on the right of the centre line, or is the mirror image.
    double side = 0;
    for (const TracePoint& p : points)
        side += pl.toBody(p).x;
    pl.mirrored = side < 0;
    placed.body = inBody(points, pl);
    return placed;
}

}  // namespace

TracePoint Placement::toBody(const TracePoint& p) const {
    const double ux = std::cos(angle), uy = std::sin(angle);
    const double dx = p.x - tail.x, dy = p.y - tail.y;
    const double across = dx * uy - dy * ux;  // to the right of the direction
    return {mirrored ? -across : across, dx * ux + dy * uy};
}

TracePoint Placement::fromBody(const TracePoint& p) const {
    const double ux = std::cos(angle), uy = std::sin(angle);
    const double across = mirrored ? -p.x : p.x;
    return {tail.x + across * uy + p.y * ux, tail.y - across * ux + p.y * uy};
}

PlacedOutline placeOutline(const TracedOutline& outline) {
    if (outline.half)
        return placeHalf(outline.points);
    const Polyline loop = resampled(outline.points, true, SYMMETRY_POINTS);
    TracePoint origin;
    double angle = mainDirection(loop, origin);
    bestAxis(loop, loop, origin, angle);
    if (!widerAtStart(loop, origin, angle, false))
        angle += PI;
    PlacedOutline placed;
    Placement& pl = placed.placement;
    pl.angle = angle;
    pl.tail = tailOf(loop, origin, angle);

    // Again on the lower part alone, which a cutaway does not reach.
    const double length = lengthOf(inBody(loop, pl));
    Polyline lower;
    for (const TracePoint& p : loop) {
        if (pl.toBody(p).y < LOWER_SHARE * length)
            lower.push_back(p);
    }
    if (lower.size() >= 20) {
        bestAxis(lower, loop, origin, angle);
        pl.angle = angle;
        pl.tail = tailOf(loop, origin, angle);
    }

    // Points far from the mirrored outline near the neck end: the side whose
    // mirror images fall inside the body is the one cut away.
    const Polyline body = inBody(loop, pl);
    const double limit = std::max(CUTAWAY_MIN_MM, CUTAWAY_SHARE * length);
    size_t cutLeft = 0, cutRight = 0;
    std::vector<double> asymmetry(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        const TracePoint mirror{-body[i].x, body[i].y};
        asymmetry[i] = distanceToPolyline(body, mirror);
        if (body[i].y > LOWER_SHARE * length && asymmetry[i] > limit && insidePolygon(body, mirror))
            ++(body[i].x > 0 ? cutRight : cutLeft);
    }
    const size_t cutPoints = std::max(cutLeft, cutRight);
    placed.cutaway = static_cast<double>(cutPoints) >=
                     CUTAWAY_MIN_POINTS_SHARE * static_cast<double>(body.size());
    pl.mirrored = placed.cutaway && cutLeft > cutRight;

    double sum = 0, largest = 0;
    size_t count = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        if (placed.cutaway && body[i].y > LOWER_SHARE * length && asymmetry[i] > limit)
            continue;
        sum += asymmetry[i] * asymmetry[i];
        largest = std::max(largest, asymmetry[i]);
        ++count;
    }
    if (count > 0) {
        placed.asymmetryRms = std::sqrt(sum / static_cast<double>(count));
        placed.asymmetryMax = largest;
    }
    placed.body = inBody(outline.points, pl);
    return placed;
}

}  // namespace bowlyn

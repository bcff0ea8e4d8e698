#include "derive/air_cavity.h"

#include <cmath>

#include "derive/measurements.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;

// The first moment of the trapezoid between a chord and the x axis, from
// Green's theorem: the integral of -y^2 / 2 dx along the chord.
double chordMoment(const ContourEdge& a, const ContourEdge& b) {
    return -(b.x - a.x) * (a.y * a.y + a.y * b.y + b.y * b.y) / 6.0;
}

// The first moment of the circular segment between the chord and the arc of
// an edge, signed as the segment adds to or takes from the loop's area: its
// area times the height of its centroid, which lies beyond the chord's
// middle along the arc's bulge. With the chord c and the half sweep h, the
// area times that offset is c^3 (1/12 - (2h - sin 2h) cos h / (16 sin^3 h)),
// exact also for a flat arc of a huge radius, whose centre is far away.
double segmentMoment(const ContourEdge& a, const ContourEdge& b) {
    const double dx = b.x - a.x;
    const double c = std::hypot(dx, b.y - a.y);
    if (a.sweep == 0.0 || c == 0.0)
        return 0.0;
    const double h = std::fabs(a.sweep) / 2.0, s = std::sin(h);
    const double areaTimesOffset =
        c * c * c * (1.0 / 12.0 - xMinusSin(2.0 * h) * std::cos(h) / (16.0 * s * s * s));
    // The bulge lies to the right of the chord for a counter-clockwise arc
    // and to its left for a clockwise one, whose segment counts negative:
    // either way the offset's upward part counts -dx / c.
    return segmentArea(a, b) * (a.y + b.y) / 2.0 + areaTimesOffset * (-dx / c);
}

}  // namespace

double contourFirstMoment(const Contour& c) {
    double total = 0.0;
    for (size_t i = 0; i < c.edges.size(); ++i)
        total += chordMoment(c.edges[i], c.next(i)) + segmentMoment(c.edges[i], c.next(i));
    return total;
}

double airVolume(const Contour& body, const BodyDepth& depth) {
    // The depth is linear in y, so its integral over the area is the tail
    // depth times the area plus the taper times the first moment.
    return depth.tail * contourArea(body) +
           (depth.neck - depth.tail) / depth.length * contourFirstMoment(body);
}

double litres(double volume, LengthUnit unit) {
    const UnitScale toCm(unit, LengthUnit::Centimetre);
    return toCm(toCm(toCm(volume))) / 1000.0;
}

std::optional<double> helmholtzResonance(double holeRadius, double topThickness, double volume,
                                         LengthUnit unit) {
    if (!(holeRadius > 0.0) || !(volume > 0.0) || !(topThickness >= 0.0) ||
        !std::isfinite(holeRadius) || !std::isfinite(volume) || !std::isfinite(topThickness))
        return std::nullopt;
    // Everything in metres, so that the speed of sound gives hertz.
    const UnitScale toMm(unit, LengthUnit::Millimetre);
    const double r = toMm(holeRadius) / 1000.0;
    const double thickness = toMm(topThickness) / 1000.0;
    const double v = toMm(toMm(toMm(volume))) / 1e9;
    const double area = PI * r * r;
    const double neck = thickness + HOLE_END_CORRECTION * r;
    const double f = SPEED_OF_SOUND / (2.0 * PI) * std::sqrt(area / (v * neck));
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

}  // namespace bowlyn

#include "derive/measurements.h"

#include <algorithm>
#include <cmath>

#include "derive/air_cavity.h"

namespace bowlyn {
double contourPerimeter(const Contour& c) {
    double total = 0.0;
    for (size_t i = 0; i < c.edges.size(); ++i)
        total += edgeLength(c.edges[i], c.next(i));
    return total;
}

double contourArea(const Contour& c) {
    double twice = 0.0, segments = 0.0;
    for (size_t i = 0; i < c.edges.size(); ++i) {
        const ContourEdge& a = c.edges[i];
        const ContourEdge& b = c.next(i);
        // The trapezoid under the chord (shoelace term) and the circular
        // segment between the chord and the arc.
        twice += a.x * b.y - b.x * a.y;
        segments += segmentArea(a, b);
    }
    return twice / 2.0 + segments;
}

Bounds contourBounds(const Contour& c) {
    Bounds b;
    for (size_t i = 0; i < c.edges.size(); ++i) {
        const ContourEdge& e = c.edges[i];
        b.add(e.x, e.y);
        if (e.sweep != 0.0) {
            const EdgeArc a = edgeArc(e, c.next(i));
            b.addArc(a.cx, a.cy, a.r, a.start, e.sweep);
        }
    }
    return b;
}

MeasureResult measureContours(const ContourSet& contours, LengthUnit designUnit, LengthUnit unit) {
    MeasureResult result;
    const Contour* body = contours.find("body");
    if (!contours.problem.empty() || body == nullptr) {
        result.problem =
            contours.problem.empty() ? "The body outline is missing." : contours.problem;
        return result;
    }
    const UnitScale scale(designUnit, unit);
    OutlineMeasurements& m = result.values;
    m.unit = unit;
    m.perimeter = scale(contourPerimeter(*body));
    m.area = scale.area(contourArea(*body));
    const Bounds b = contourBounds(*body);
    m.length = scale(b.height());
    m.width = scale(b.width());
    if (const Contour* board = contours.find("fretboard")) {
        m.hasFretboard = true;
        m.fretboardArea = scale.area(contourArea(*board));
    }
    return result;
}

MeasureResult measureDesign(const SolvedDesign& design, std::optional<LengthUnit> unit) {
    const LengthUnit own = designUnit(design.units);
    const ContourSet contours = closedContours(design);
    MeasureResult result = measureContours(contours, own, unit.value_or(own));
    result.notice = contours.notice;
    const DepthSettings& depth = design.depth;
    if (!result.problem.empty())
        return result;
    result.depthProblem = depth.problem;
    if (!depth.problem.empty() || !depth.hasDepths())
        return result;
    OutlineMeasurements& m = result.values;
    const double volume =
        airVolume(*contours.find("body"), {*depth.tail, *depth.neck, design.body.bodyLength});
    if (!std::isfinite(volume) || !(volume > 0.0)) {
        result.depthProblem = "The body's depths give no volume that can be measured.";
        return result;
    }
    const UnitScale scale(own, m.unit);
    m.hasVolume = true;
    m.volume = scale(scale(scale(volume)));
    m.litres = litres(volume, own);
    if (depth.topThickness) {
        const std::optional<double> f =
            helmholtzResonance(design.soundHole.r, *depth.topThickness, volume, own);
        m.hasResonance = f.has_value();
        m.resonance = f.value_or(0.0);
    }
    return result;
}

}  // namespace bowlyn

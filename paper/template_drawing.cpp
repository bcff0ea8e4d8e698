#include "paper/template_drawing.h"

#include <algorithm>
#include <cmath>

#include "derive/contour.h"
#include "render/clipped_paths.h"
#include "render/drawing_kinds.h"
#include "render/painter.h"
#include "render/style.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;

bool inside(const Bounds& b, double x, double y) {
    return x >= b.minX && x <= b.maxX && y >= b.minY && y <= b.maxY;
}

// Cuts the segment to the rectangle; false when nothing of it lies inside.
bool clipSegment(const Bounds& b, double& x1, double& y1, double& x2, double& y2) {
    double t0 = 0.0, t1 = 1.0;
    if (!clipSegment(x1, y1, x2, y2, DeviceRect{b.minX, b.minY, b.maxX, b.maxY}, t0, t1))
        return false;
    const double ox = x1, oy = y1, dx = x2 - x1, dy = y2 - y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

// A stroke's geometry in double precision on one side, mirror image made:
// a line, an arc (circle (cx, cy, r) from angle `start` on by `sweep`,
// counter-clockwise) or a point with the arms of its cross.
struct Shape {
    enum class Kind { Line, Arc, Point };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a line's ends; a point is (x1, y1)
    double cx = 0, cy = 0, r = 0, start = 0, sweep = 0;
    double arm = 0;  // a point's cross, model units to each side
};

bool onArc(const Shape& s, double x, double y) {
    return ccwSweep(s.start, std::atan2(y - s.cy, x - s.cx)) <= s.sweep;
}

// Whether the arc crosses the line x = at (vertical) or y = at between lo and hi.
bool arcCrosses(const Shape& s, bool vertical, double at, double lo, double hi) {
    const double d = vertical ? at - s.cx : at - s.cy;
    if (std::fabs(d) > s.r)
        return false;
    const double h = std::sqrt(s.r * s.r - d * d);
    for (const double sign : {-1.0, 1.0}) {
        const double along = (vertical ? s.cy : s.cx) + sign * h;
        if (along < lo || along > hi)
            continue;
        if (vertical ? onArc(s, at, along) : onArc(s, along, at))
            return true;
    }
    return false;
}

bool shapeTouches(const Shape& s, const Bounds& b) {
    switch (s.kind) {
        case Shape::Kind::Point:
            return s.x1 + s.arm >= b.minX && s.x1 - s.arm <= b.maxX && s.y1 + s.arm >= b.minY &&
                   s.y1 - s.arm <= b.maxY;
        case Shape::Kind::Line: {
            double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
            return clipSegment(b, x1, y1, x2, y2);
        }
        case Shape::Kind::Arc:
            break;
    }
    // An arc inside the rectangle has its start there; one that reaches in
    // from outside crosses an edge.
    if (inside(b, s.cx + s.r * std::cos(s.start), s.cy + s.r * std::sin(s.start)))
        return true;
    return arcCrosses(s, true, b.minX, b.minY, b.maxY) ||
           arcCrosses(s, true, b.maxX, b.minY, b.maxY) ||
           arcCrosses(s, false, b.minY, b.minX, b.maxX) ||
           arcCrosses(s, false, b.maxY, b.minX, b.maxX);
}

bool finiteValues(const Stroke& it) {
    for (double v : it.v) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// Hands `found` each shape an item paints, as passed, mirrored about the
// centre line, or both, until it returns true; whether it did. The mirror
// image is made in double precision here: paper needs the true geometry, not
// the numbers a file records.
template <class Found>
bool anyShape(const Stroke& it, double arm, Found found) {
    const double* v = it.v;
    for (const int copy : {0, 1}) {
        const bool mirrored = copy == 1;
        if (mirrored ? !drawsMirror(it.side) : !drawsAsPassed(it.side))
            continue;
        const double m = mirrored ? -1.0 : 1.0;
        Shape s;
        switch (it.kind) {
            case StrokeKind::Line:
                s.x1 = m * v[0], s.y1 = v[1], s.x2 = m * v[2], s.y2 = v[3];
                break;
            case StrokeKind::Point:
                s.kind = Shape::Kind::Point;
                s.x1 = m * v[0], s.y1 = v[1];
                s.arm = it.marker == PointMarker::Cross ? arm : 0.0;
                break;
            case StrokeKind::Circle:
            case StrokeKind::Arc: {
                s.kind = Shape::Kind::Arc;
                s.cx = m * v[0], s.cy = v[1], s.r = std::fabs(v[2]);
                s.sweep = it.kind == StrokeKind::Circle ? CIRCLE_RADIANS : ccwSweep(v[3], v[4]);
                // The mirror image runs the other way round from pi - a2.
                s.start = it.kind == StrokeKind::Circle ? 0.0
                          : mirrored                    ? PI - v[3] - s.sweep
                                                        : v[3];
                break;
            }
        }
        if (found(s))
            return true;
    }
    return false;
}

void addToBounds(const Shape& s, Bounds& b) {
    switch (s.kind) {
        case Shape::Kind::Line:
            b.add(s.x1, s.y1);
            b.add(s.x2, s.y2);
            return;
        case Shape::Kind::Point:
            b.add(s.x1 - s.arm, s.y1 - s.arm);
            b.add(s.x1 + s.arm, s.y1 + s.arm);
            return;
        case Shape::Kind::Arc:
            b.addArc(s.cx, s.cy, s.r, s.start, s.sweep);
            return;
    }
}

bool isCentreLine(const Stroke& it) {
    return it.kind == StrokeKind::Line && it.style == &styleCentreLine;
}

// The same for the shapes of a loop's edges; an arc turning clockwise is the
// same arc run counter-clockwise from its other end.
template <class Found>
bool anyShape(const Contour& loop, Found found) {
    for (size_t i = 0; i < loop.edges.size(); ++i) {
        const ContourEdge& from = loop.edges[i];
        const ContourEdge& to = loop.next(i);
        Shape s;
        if (from.sweep == 0.0) {
            s.x1 = from.x, s.y1 = from.y, s.x2 = to.x, s.y2 = to.y;
        } else {
            const EdgeArc arc = edgeArc(from, to);
            s.kind = Shape::Kind::Arc;
            s.cx = arc.cx, s.cy = arc.cy, s.r = arc.r;
            s.start = from.sweep > 0.0 ? arc.start : arc.start + from.sweep;
            s.sweep = std::fabs(from.sweep);
        }
        if (found(s))
            return true;
    }
    return false;
}

// Widens the bounds by a shape and looks on.
auto widening(Bounds& b) {
    return [&b](const Shape& s) {
        addToBounds(s, b);
        return false;
    };
}

// A point's cross in model units: its arms in points on paper.
double crossArm(const TemplateDrawing& d) {
    return POINT_CROSS_ARM / d.pointsPerUnit;
}

}  // namespace

void addTemplateLoop(TemplateDrawing& d, const Contour& loop) {
    anyShape(loop, widening(d.extent));
    d.loops.push_back(loop);
}

TemplateDrawing stripDrawing(const SideStrip& strip, LengthUnit unit) {
    TemplateDrawing d;
    d.millimetresPerUnit = UnitScale(unit, LengthUnit::Millimetre)(1.0);
    d.pointsPerUnit = d.millimetresPerUnit * 72.0 / 25.4;
    addTemplateLoop(d, strip.outline);
    // The ticks lie inside the outline; they also keep a tile that holds only
    // ticks and numbers in the template.
    d.lines = strip.ticks;
    d.texts = strip.texts;
    return d;
}

bool TemplateDrawing::touches(const Bounds& rect) const {
    const auto inside = [&](const Shape& s) { return shapeTouches(s, rect); };
    const double arm = crossArm(*this);
    return std::any_of(items.begin(), items.end(),
                       [&](const Stroke& item) { return anyShape(item, arm, inside); }) ||
           std::any_of(loops.begin(), loops.end(),
                       [&](const Contour& loop) { return anyShape(loop, inside); }) ||
           std::any_of(lines.begin(), lines.end(), [&](const TemplateLine& t) {
               Shape s;
               s.x1 = t.x1, s.y1 = t.y1, s.x2 = t.x2, s.y2 = t.y2;
               return inside(s);
           });
}

TemplateDrawing templateDrawing(const StrokeList& strokes, DesignUnits units) {
    TemplateDrawing d;
    d.millimetresPerUnit = units == UNITS_CM ? 10.0 : 25.4;
    d.pointsPerUnit = 72.0 * d.millimetresPerUnit / 25.4;
    const double arm = crossArm(d);
    StrokeList centreLines;
    for (const Stroke& it : strokes) {
        if (!it.shown() || it.layer == Layer::None || !finiteValues(it))
            continue;
        if (isCentreLine(it)) {
            centreLines.push_back(it);
            continue;
        }
        d.items.push_back(it);
        anyShape(it, arm, widening(d.extent));
    }
    if (d.extent.empty)
        return d;
    // Each copy of a centre line becomes a line of its own, cut to the extent
    // in double precision.
    const Bounds extent = d.extent;
    for (const Stroke& it : centreLines) {
        anyShape(it, arm, [&](Shape s) {
            if (clipSegment(extent, s.x1, s.y1, s.x2, s.y2)) {
                Stroke cut = it;
                cut.side = Side::AsPassed;
                cut.v[0] = s.x1;
                cut.v[1] = s.y1;
                cut.v[2] = s.x2;
                cut.v[3] = s.y2;
                d.items.push_back(cut);
            }
            return false;
        });
    }
    return d;
}

}  // namespace bowlyn

#include "paper/template_drawing.h"

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

bool onArc(const TemplateStroke& s, double x, double y) {
    return ccwSweep(s.start, std::atan2(y - s.cy, x - s.cx)) <= s.sweep;
}

// Whether the arc crosses the line x = at (vertical) or y = at between lo and hi.
bool arcCrosses(const TemplateStroke& s, bool vertical, double at, double lo, double hi) {
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

bool strokeTouches(const TemplateStroke& s, const Bounds& b) {
    switch (s.kind) {
        case TemplateStroke::Kind::Point:
            return s.x1 + s.arm >= b.minX && s.x1 - s.arm <= b.maxX && s.y1 + s.arm >= b.minY &&
                   s.y1 - s.arm <= b.maxY;
        case TemplateStroke::Kind::Line: {
            double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
            return clipSegment(b, x1, y1, x2, y2);
        }
        case TemplateStroke::Kind::Arc:
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

bool finiteValues(const DisplayItem& it) {
    for (float v : it.v) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// The strokes an item paints: as passed, mirrored about the centre line, or both.
void addStrokes(const DisplayItem& it, double arm, std::vector<TemplateStroke>& out) {
    const float* v = it.v;
    for (const int copy : {0, 1}) {
        const bool mirrored = copy == 1;
        if (mirrored ? !drawsMirror(it.side) : !drawsAsPassed(it.side))
            continue;
        const double m = mirrored ? -1.0 : 1.0;
        TemplateStroke s;
        switch (it.kind) {
            case StrokeKind::Line:
                s.x1 = m * v[0], s.y1 = v[1], s.x2 = m * v[2], s.y2 = v[3];
                break;
            case StrokeKind::Point:
                s.kind = TemplateStroke::Kind::Point;
                s.x1 = m * v[0], s.y1 = v[1];
                s.arm = it.cross ? arm : 0.0;
                break;
            case StrokeKind::Circle:
            case StrokeKind::Arc: {
                s.kind = TemplateStroke::Kind::Arc;
                s.cx = m * v[0], s.cy = v[1], s.r = std::fabs(v[2]);
                s.sweep = it.kind == StrokeKind::Circle ? CIRCLE_RADIANS : ccwSweep(v[3], v[4]);
                // The mirror image runs the other way round from pi - a2.
                s.start = it.kind == StrokeKind::Circle ? 0.0
                          : mirrored                    ? PI - v[3] - s.sweep
                                                        : v[3];
                break;
            }
        }
        out.push_back(s);
    }
}

void addToBounds(const TemplateStroke& s, Bounds& b) {
    switch (s.kind) {
        case TemplateStroke::Kind::Line:
            b.add(s.x1, s.y1);
            b.add(s.x2, s.y2);
            return;
        case TemplateStroke::Kind::Point:
            b.add(s.x1 - s.arm, s.y1 - s.arm);
            b.add(s.x1 + s.arm, s.y1 + s.arm);
            return;
        case TemplateStroke::Kind::Arc:
            b.addArc(s.cx, s.cy, s.r, s.start, s.sweep);
            return;
    }
}

bool isCentreLine(const DisplayItem& it) {
    return it.kind == StrokeKind::Line && it.style == &styleCentreLine;
}

// The strokes of a loop's edges; an arc turning clockwise is the same arc
// run counter-clockwise from its other end.
void addLoopStrokes(const Contour& loop, std::vector<TemplateStroke>& out) {
    for (size_t i = 0; i < loop.edges.size(); ++i) {
        const ContourEdge& from = loop.edges[i];
        const ContourEdge& to = loop.next(i);
        TemplateStroke s;
        if (from.sweep == 0.0) {
            s.x1 = from.x, s.y1 = from.y, s.x2 = to.x, s.y2 = to.y;
        } else {
            const EdgeArc arc = edgeArc(from, to);
            s.kind = TemplateStroke::Kind::Arc;
            s.cx = arc.cx, s.cy = arc.cy, s.r = arc.r;
            s.start = from.sweep > 0.0 ? arc.start : arc.start + from.sweep;
            s.sweep = std::fabs(from.sweep);
        }
        out.push_back(s);
    }
}

}  // namespace

void addTemplateLoop(TemplateDrawing& d, const Contour& loop) {
    const size_t first = d.strokes.size();
    addLoopStrokes(loop, d.strokes);
    for (size_t i = first; i < d.strokes.size(); ++i)
        addToBounds(d.strokes[i], d.extent);
    d.loops.push_back(loop);
}

TemplateDrawing stripDrawing(const SideStrip& strip, LengthUnit unit) {
    TemplateDrawing d;
    d.millimetresPerUnit = UnitScale(unit, LengthUnit::Millimetre)(1.0);
    d.pointsPerUnit = d.millimetresPerUnit * 72.0 / 25.4;
    addTemplateLoop(d, strip.outline);
    // The ticks lie inside the outline; as strokes they also keep a tile
    // that holds only ticks and numbers in the template.
    for (const TemplateLine& t : strip.ticks) {
        TemplateStroke s;
        s.x1 = t.x1, s.y1 = t.y1, s.x2 = t.x2, s.y2 = t.y2;
        d.strokes.push_back(s);
    }
    d.lines = strip.ticks;
    d.texts = strip.texts;
    return d;
}

bool TemplateDrawing::touches(const Bounds& rect) const {
    for (const TemplateStroke& s : strokes) {
        if (strokeTouches(s, rect))
            return true;
    }
    return false;
}

TemplateDrawing templateDrawing(const DisplayList& display, int32_t units) {
    TemplateDrawing d;
    d.millimetresPerUnit = units == 1 ? 10.0 : 25.4;
    d.pointsPerUnit = 72.0 * d.millimetresPerUnit / 25.4;
    const double arm = POINT_CROSS_ARM / d.pointsPerUnit;
    DisplayList centreLines;
    for (const DisplayItem& it : display) {
        if (it.layer == Layer::None || !finiteValues(it))
            continue;
        if (isCentreLine(it)) {
            centreLines.push_back(it);
            continue;
        }
        d.items.push_back(it);
        addStrokes(it, arm, d.strokes);
    }
    for (const TemplateStroke& s : d.strokes)
        addToBounds(s, d.extent);
    if (d.extent.empty)
        return d;
    // Each copy of a centre line becomes a line of its own, cut to the extent.
    for (const DisplayItem& it : centreLines) {
        std::vector<TemplateStroke> copies;
        addStrokes(it, arm, copies);
        for (TemplateStroke& s : copies) {
            if (!clipSegment(d.extent, s.x1, s.y1, s.x2, s.y2))
                continue;
            DisplayItem cut = it;
            cut.side = Side::AsPassed;
            cut.v[0] = static_cast<float>(s.x1);
            cut.v[1] = static_cast<float>(s.y1);
            cut.v[2] = static_cast<float>(s.x2);
            cut.v[3] = static_cast<float>(s.y2);
            d.items.push_back(cut);
            d.strokes.push_back(s);
        }
    }
    return d;
}

}  // namespace bowlyn

#include "derive/side_strips.h"

#include <algorithm>
#include <cmath>

namespace bowlyn {
namespace {

struct StripPoint {
    double s = 0, h = 0;  // along the bottom edge, and the height there
};

// Points of one arc piece inside the strip's top edge. On an arc y follows
// a sine of the distance along it, so the depth between two points strays
// from their chord by at most step^2 / 8 times its curvature, |taper| / r:
// enough points keep that within the tolerance.
int arcSteps(double length, double radius, double taper, double tolerance) {
    if (taper == 0.0)
        return 1;
    const double steps =
        std::ceil(length * std::sqrt(std::fabs(taper) / (8.0 * radius * tolerance)));
    // A design of absurd size must not ask for millions of points.
    return static_cast<int>(std::clamp(steps, 1.0, 100000.0));
}

// A point further along; one at the same place (after a piece of no length)
// takes the last one's place, so that the outline has no empty edge.
void extend(std::vector<StripPoint>& points, StripPoint p) {
    if (p.s > points.back().s)
        points.push_back(p);
    else
        points.back().h = p.h;
}

// The strip's top edge from the tail end to the neck end.
std::vector<StripPoint> topEdge(const OpenPath& side, const BodyDepth& depth) {
    const double taper = (depth.neck - depth.tail) / depth.length;
    const double size =
        std::max({std::fabs(depth.length), std::fabs(depth.tail), std::fabs(depth.neck)});
    const double tolerance = STRIP_TOP_TOLERANCE * size;
    std::vector<StripPoint> points{{0.0, depth.tail}};
    double s = 0.0;
    for (size_t i = 0; i < side.edges.size(); ++i) {
        const ContourEdge& from = side.edges[i];
        const ContourEdge to = side.endOf(i);
        const double length = edgeLength(from, to);
        if (from.sweep != 0.0) {
            const EdgeArc arc = edgeArc(from, to);
            const int steps = arcSteps(length, arc.r, taper, tolerance);
            for (int k = 1; k < steps; ++k) {
                const double angle = arc.start + from.sweep * k / steps;
                extend(points,
                       {s + length * k / steps, depth.at(arc.cy + arc.r * std::sin(angle))});
            }
        }
        s += length;
        extend(points, {s, depth.at(to.y)});
    }
    // The path runs from the tail end to the neck end of the centre line,
    // where the depths are the tail's and the neck's by definition; the
    // solved outline's single-precision ends lie a few 1e-7 off them.
    points.front().h = depth.tail;
    points.back().h = depth.neck;
    return points;
}

Contour stripOutline(const std::vector<StripPoint>& top) {
    Contour c;
    c.name = "side strip";
    c.layer = Layer::Sides;
    const StripPoint& neck = top.back();
    c.edges.push_back({0.0, 0.0, 0.0, "bottom edge"});
    c.edges.push_back({neck.s, 0.0, 0.0, "neck end"});
    for (size_t k = top.size() - 1; k > 0; --k)
        c.edges.push_back({top[k].s, top[k].h, 0.0, "top edge"});
    c.edges.push_back({0.0, top.front().h, 0.0, "tail end"});
    return c;
}

std::string wholeNumber(double v) {
    return std::to_string(std::llround(v));
}

// Ticks and their distances along the bottom edge, the strip's name in its
// middle and which end is which.
void addMarks(SideStrip& strip, const BodyDepth& depth, LengthUnit unit) {
    using Align = TemplateText::Align;
    const TickScale scale = tickScale(unit);
    // Beyond this the strip is no guitar's side; ticks would only fill memory.
    constexpr double MAX_TICKS = 10000.0;
    if (strip.length / scale.step <= MAX_TICKS) {
        for (int k = 1; k * scale.step < strip.length * (1.0 - 1e-12); ++k) {
            const double x = k * scale.step;
            strip.ticks.push_back({x, 0.0, x, scale.tick});
            strip.texts.push_back({x, scale.tick + 0.5 * scale.textHeight, scale.textHeight,
                                   Align::Centre, wholeNumber(x)});
        }
    }
    const double middle = std::min(depth.tail, depth.neck) / 2.0;
    const double h = scale.textHeight;
    strip.texts.push_back({strip.length / 2.0, middle, h, Align::Centre, strip.name});
    strip.texts.push_back({h, middle, h, Align::Left, "tail"});
    strip.texts.push_back({strip.length - h, middle, h, Align::Right, "neck"});
}

}  // namespace

TickScale tickScale(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Inch:
            return {1.0, 0.25, 0.15};
        case LengthUnit::Centimetre:
            return {2.0, 0.6, 0.4};
        case LengthUnit::Millimetre:
            break;
    }
    return {20.0, 6.0, 4.0};
}

SideStrip sideStrip(const OpenPath& side, const BodyDepth& depth, LengthUnit unit,
                    const std::string& name) {
    SideStrip strip;
    strip.name = name;
    const std::vector<StripPoint> top = topEdge(side, depth);
    strip.length = top.back().s;
    strip.height = std::max(depth.tail, depth.neck);
    strip.outline = stripOutline(top);
    addMarks(strip, depth, unit);
    return strip;
}

SideStripsResult sideStrips(const Contour& body, const BodyDepth& depth, bool hasCutaway,
                            LengthUnit unit) {
    SideStripsResult result;
    const BodySides sides = bodySides(body);
    if (!sides.problem.empty()) {
        result.problem = sides.problem;
        return result;
    }
    if (hasCutaway) {
        result.strips.push_back(sideStrip(sides.right, depth, unit, "Cutaway side"));
        result.strips.push_back(sideStrip(sides.left, depth, unit, "Other side"));
    } else {
        result.strips.push_back(sideStrip(sides.right, depth, unit, "Side (cut 2)"));
    }
    return result;
}

}  // namespace bowlyn

#include "geometry/body_outline.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"

namespace bowlyn {
namespace {

constexpr double PI = PI_SINGLE;
constexpr double TWO_PI = 2.0 * PI_SINGLE;

float single(double v) {
    return static_cast<float>(v);
}

double sq(double v) {
    return std::pow(v, 2.0);
}

void solveTailArc(const DesignParameters& p, OutlineArc& tail) {
    const float hLB = p.lowerBoutHalfWidth, RLB = p.lowerBoutRadius, OLB = p.lowerBoutOffset;
    if (!(OLB > 0.0f)) {
        tail.cx = single(static_cast<double>(hLB) - RLB);
        tail.cy = 0.0f;
        tail.r = 0.0f;
        tail.start = tail.end = single(1.5 * PI);
        return;
    }
    const double across = static_cast<double>(hLB) - RLB;
    tail.cx = 0.0f;
    tail.cy = single((sq(across) + static_cast<double>(OLB) * OLB) / (OLB * 2.0) + RLB);
    tail.r = tail.cy;
    tail.start = single(1.5 * PI);
    const double rise = static_cast<double>(tail.cy) - RLB - OLB;
    if (OLB > across) {
        // The lower bout centre lies above the tail arc centre: the arc has to
        // reach past 0 to where the circles touch, on the line of centres.
        tail.end = angleTo(tail.centre(), {single(across), single(static_cast<double>(OLB) + RLB)});
        return;
    }
    tail.end = single(tail.start + std::atan(across / rise));
    if (tail.end > TWO_PI)
        tail.end = single(tail.end - TWO_PI);
}

}  // namespace

OutlineRecord outlineRecord(const DesignParameters& p, const BodyOutline& outline) {
    OutlineRecord r;
    r.outline = outline;
    r.bodyLength = p.bodyLength;
    r.lowerBoutOffset = p.lowerBoutOffset;
    r.lowerBoutRadiusIncrement = p.lowerBoutRadiusIncrement;
    r.upperBoutHalfWidth = p.upperBoutHalfWidth;
    r.upperBoutRadius = p.upperBoutRadius;
    r.upperBoutRadiusIncrement = p.upperBoutRadiusIncrement;
    r.upperBoutOffset = p.upperBoutOffset;
    r.neckFlatHalfLength = p.neckFlatHalfLength;
    r.cutawayPointRadius = p.cutawayPointRadius;
    r.hasCutaway = p.hasCutaway;
    r.cutawayType = p.cutawayType;
    return r;
}

namespace {

BoutCircles boutCircles(float halfWidth, float radius, float increment, float y) {
    using D = double;
    BoutCircles c;
    c.primary = {{single(D(halfWidth) - radius), y}, radius};
    c.increment = increment;
    c.secondary = {{single(D(halfWidth) - radius - increment), y}, single(D(radius) + increment)};
    return c;
}

}  // namespace

BodyCircles bodyCircles(const DesignParameters& p) {
    using D = double;
    BodyCircles c;
    c.lower = boutCircles(p.lowerBoutHalfWidth, p.lowerBoutRadius, p.lowerBoutRadiusIncrement,
                          single(D(p.lowerBoutOffset) + p.lowerBoutRadius));
    c.upper = boutCircles(p.upperBoutHalfWidth, p.upperBoutRadius, p.upperBoutRadiusIncrement,
                          single(D(p.bodyLength) - p.upperBoutOffset - p.upperBoutRadius));
    c.waist = {{single(D(p.waistHalfWidth) + p.waistRadius), p.waistOffset}, p.waistRadius};
    return c;
}

namespace {

// A bout's secondary arc reaches the bout's width exactly: its centre lies its
// own radius inside it.
OutlineArc secondaryArc(float halfWidth, const BoutCircles& bout) {
    OutlineArc s;
    s.r = bout.secondary.r;
    s.cx = single(static_cast<double>(halfWidth) - s.r);
    s.cy = bout.primary.centre.y;
    return s;
}

}  // namespace

BodyOutline solveBodyOutline(const DesignParameters& p, const BodyCircles& circles) {
    BodyOutline o;
    const float L = p.bodyLength;
    const float dLB = p.lowerBoutRadiusIncrement, OLB = p.lowerBoutOffset;
    const float hUB = p.upperBoutHalfWidth, RUB = p.upperBoutRadius;
    const float dUB = p.upperBoutRadiusIncrement, OUB = p.upperBoutOffset;
    const float hNF = p.neckFlatHalfLength;
    const Circle& lower = circles.lower.primary;
    const Circle& upper = circles.upper.primary;
    const Circle& waist = circles.waist;

    solveTailArc(p, o.tailArc);

    OutlineSegment& lt = o.lowerTangent;
    Segment tangent;
    if (dLB > 0.0f) {
        OutlineArc& s = o.lowerBoutSecondaryArc;
        s = secondaryArc(p.lowerBoutHalfWidth, circles.lower);
        s.start = 0.0f;
        tangent = crossTangent(s.circle(), waist, -1);
        s.end = angleTo(s.centre(), tangent.from);
    } else {
        tangent = crossTangent(lower, waist, -1);
    }
    lt = {tangent.from.x, tangent.from.y, tangent.to.x, tangent.to.y};

    OutlineArc& lb = o.lowerBoutArc;
    lb.cx = lower.centre.x;
    lb.cy = lower.centre.y;
    lb.r = lower.r;
    if (OLB > 0.0f) {
        const Point t = pointOnCircle(o.tailArc.circle(), o.tailArc.end);
        lb.start = angleTo(lb.centre(), t);
    } else {
        lb.start = single(1.5 * PI);
    }
    lb.end = dLB > 0.0f ? 0.0f : angleTo(lb.centre(), tangent.from);

    OutlineSegment& ut = o.upperTangent;
    if (dUB > 0.0f) {
        OutlineArc& s = o.upperBoutSecondaryArc;
        s = secondaryArc(hUB, circles.upper);
        s.end = 0.0f;
        tangent = crossTangent(waist, s.circle(), 1);
        s.start = angleTo(s.centre(), tangent.to);
    } else {
        tangent = crossTangent(waist, upper, 1);
    }
    ut = {tangent.from.x, tangent.from.y, tangent.to.x, tangent.to.y};

    OutlineArc& w = o.waistArc;
    w.cx = waist.centre.x;
    w.cy = waist.centre.y;
    w.r = waist.r;
    w.start = angleTo(w.centre(), tangent.from);
    w.end = angleTo(w.centre(), {lt.x2, lt.y2});

    OutlineArc& sh = o.shoulderArc;
    if (OUB > 0.0f) {
        const double across = static_cast<double>(hUB) - RUB - hNF;
        sh.cx = hNF;
        sh.r = single((sq(across) + static_cast<double>(OUB) * OUB) / (OUB * 2.0) + RUB);
        sh.cy = single(static_cast<double>(L) - sh.r);
        sh.end = single(0.5 * PI);
        sh.start = single(sh.end - std::atan(across / (static_cast<double>(sh.r) - RUB - OUB)));
    } else {
        sh.cx = hNF;
        sh.cy = L;
        sh.r = sh.start = sh.end = 0.0f;
    }

    OutlineArc& ub = o.upperBoutArc;
    ub.cx = upper.centre.x;
    ub.cy = upper.centre.y;
    ub.r = upper.r;
    if (OUB > 0.0f)
        ub.end = angleTo(ub.centre(), pointOnCircle(sh.circle(), sh.start));
    else
        ub.end = single(0.5 * PI);
    ub.start = dUB > 0.0f ? 0.0f : angleTo(ub.centre(), tangent.to);

    if (hNF > 0.0f)
        o.neckFlat = {0.0f, L, hNF, L};
    return o;
}

UpperOutlinePart intersectUpperOutline(const BodyOutline& o, const DesignParameters& p,
                                       const Segment& s, Point& at) {
    if (p.neckFlatHalfLength > 0.0f) {
        const OutlineSegment& nf = o.neckFlat;
        Point hit;
        if (intersectSegments(s, nf.segment(), hit) == 2 && hit.x != nf.x2) {
            at = hit;
            return UPPER_NECK_FLAT;
        }
    }

    const OutlineArc& sh = o.shoulderArc;
    if (p.upperBoutOffset > 0.0f) {
        const CircleCrossing c =
            intersectSegmentArc(sh.centre(), pointOnCircle(sh.circle(), sh.start),
                                pointOnCircle(sh.circle(), sh.end), s);
        if (c.status == 0) {
            at = c.first;
            return UPPER_SHOULDER;
        }
    } else {
        const float upperX = single(static_cast<double>(p.upperBoutHalfWidth) - p.upperBoutRadius);
        Point hit;
        if (intersectSegments(s, {{sh.cx, sh.cy}, {upperX, sh.cy}}, hit) == 2 && hit.x != upperX) {
            at = hit;
            return UPPER_SHOULDER;
        }
    }

    const OutlineArc& ub = o.upperBoutArc;
    const CircleCrossing c = intersectSegmentArc(ub.centre(), pointOnCircle(ub.circle(), ub.start),
                                                 pointOnCircle(ub.circle(), ub.end), s);
    if (c.status == 0) {
        at = c.first;
        return UPPER_BOUT_ARC;
    }
    if (c.status == 1) {
        at = c.first.y > c.second.y ? c.first : c.second;
        return UPPER_BOUT_ARC;
    }
    return UPPER_NONE;
}

}  // namespace bowlyn

#include "geometry/primitives.h"

#include <cmath>
#include <limits>

namespace bowlyn {
namespace {

constexpr double PI = PI_SINGLE;
constexpr double HALF_PI = PI_SINGLE / 2.0;
constexpr double TWO_PI = 2.0 * PI_SINGLE;

double sq(double v) {
    return std::pow(v, 2.0);
}

// The discriminant is deliberately coarsened to a whole number, so a line
// that only grazes a circle counts as touching it. Values beyond the 32-bit
// range saturate and NaN counts as "no meeting point", so no input can make
// the conversion undefined.
int32_t roundedDiscriminant(double v) {
    if (std::isnan(v))
        return -1;
    if (v >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::nearbyint(v));  // halves to even
}

// Whether angle b lies on the arc running counter-clockwise from a0 to a1,
// ends included; an arc whose end angle is smaller passes through 0.
bool onArc(float a0, float a1, float b) {
    if (a1 > a0)
        return a0 <= b && b <= a1;
    return b >= a0 || b <= a1;
}

}  // namespace

float angleTo(Point from, Point to) {
    const float x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
    const float dx = static_cast<float>(static_cast<double>(x2) - x1);
    const float dy = static_cast<float>(static_cast<double>(y2) - y1);
    double a;
    if (x2 > x1 && y2 == y1) {
        a = 0.0;
    } else if (x2 > x1 && y2 > y1) {
        a = std::atan(static_cast<double>(dy) / dx);
    } else if (x2 == x1 && y2 > y1) {
        a = 0.5 * PI;
    } else if (x2 < x1 && y2 > y1) {
        a = PI - std::atan(dy / (static_cast<double>(x1) - x2));
    } else if (x2 < x1 && y2 == y1) {
        a = PI;
    } else if (x2 < x1 && y2 < y1) {
        a = std::atan((static_cast<double>(y1) - y2) / (static_cast<double>(x1) - x2)) + PI;
    } else if (x2 == x1 && y2 < y1) {
        a = 1.5 * PI;
    } else if (x2 > x1 && y2 < y1) {
        a = TWO_PI - std::atan((static_cast<double>(y1) - y2) / dx);
    } else {
        a = -1.0;
    }
    return static_cast<float>(a);
}

Point pointOnCircle(const Circle& c, float angle) {
    const double a = angle;
    return {static_cast<float>(std::cos(a) * c.r + c.centre.x),
            static_cast<float>(std::sin(a) * c.r + c.centre.y)};
}

float distance(Point a, Point b) {
    return static_cast<float>(
        std::sqrt(sq(static_cast<double>(a.x) - b.x) + sq(static_cast<double>(a.y) - b.y)));
}

Segment crossTangent(const Circle& first, const Circle& second, int32_t side) {
    const Point c1 = first.centre;
    const float x1 = c1.x, y1 = c1.y, r1 = first.r, r2 = second.r;
    // Solve with the second centre turned to lie straight above the first,
    // then turn the touching points back.
    const float theta = angleTo(c1, second.centre);
    const float rho = static_cast<float>(theta - HALF_PI);
    const float d = distance(c1, second.centre);
    const float c2x = x1;
    const float c2y = static_cast<float>(static_cast<double>(y1) + d);
    const float dd = static_cast<float>(
        std::sqrt(sq(static_cast<double>(c2x) - x1) + sq(static_cast<double>(c2y) - y1)));
    const double radii = static_cast<double>(r2) + r1;
    const float t = static_cast<float>(std::sqrt(static_cast<double>(dd) * dd - sq(radii)));
    const float alpha = static_cast<float>(std::atan(std::fabs(static_cast<double>(x1) - c2x) /
                                                     std::fabs(static_cast<double>(c2y) - y1)));
    const float beta = static_cast<float>(std::atan(radii / t));
    const float phi = static_cast<float>(HALF_PI - beta + alpha);

    const double tCos = t * std::cos(static_cast<double>(phi));
    const float qx = static_cast<float>(side == -1 ? c2x + tCos : c2x - tCos);
    const float qy = static_cast<float>(c2y - t * std::sin(static_cast<double>(phi)));

    const float k = static_cast<float>(r2 / radii);
    const float ex = static_cast<float>(std::fabs(static_cast<double>(qx) - x1) * k);
    const float ey = static_cast<float>(std::fabs(static_cast<double>(qy) - y1) * k);

    float ax, bx;
    if (side == -1) {
        ax = static_cast<float>(static_cast<double>(qx) - ex);
        bx = static_cast<float>(static_cast<double>(c2x) - ex);
    } else {
        ax = static_cast<float>(static_cast<double>(ex) + qx);
        bx = static_cast<float>(static_cast<double>(ex) + c2x);
    }
    const float ay = static_cast<float>(static_cast<double>(qy) - ey);
    const float by = static_cast<float>(static_cast<double>(c2y) - ey);

    auto turnBack = [&](Point p) {
        const float gamma = angleTo(c1, p);
        const float s = distance(c1, p);
        return pointOnCircle({c1, s}, static_cast<float>(static_cast<double>(rho) + gamma));
    };
    return {turnBack({ax, ay}), turnBack({bx, by})};
}

int32_t intersectSegments(const Segment& a, const Segment& b, Point& at) {
    const float x1 = a.from.x, y1 = a.from.y, x2 = a.to.x, y2 = a.to.y;
    const float x3 = b.from.x, y3 = b.from.y, x4 = b.to.x, y4 = b.to.y;
    const double dx12 = static_cast<double>(x2) - x1, dy12 = static_cast<double>(y2) - y1;
    const double dx34 = static_cast<double>(x4) - x3, dy34 = static_cast<double>(y4) - y3;
    const double dx13 = static_cast<double>(x1) - x3, dy13 = static_cast<double>(y1) - y3;
    const float den = static_cast<float>(dy34 * dx12 - dx34 * dy12);
    const float nA = static_cast<float>(dx34 * dy13 - dy34 * dx13);
    const float nB = static_cast<float>(dx12 * dy13 - dy12 * dx13);
    if (den == 0.0f)
        return (nA == 0.0f && nB == 0.0f) ? 1 : 0;
    const float uA = static_cast<float>(static_cast<double>(nA) / den);
    const float uB = static_cast<float>(static_cast<double>(nB) / den);
    at = {static_cast<float>(x1 + dx12 * uA), static_cast<float>(y1 + dy12 * uA)};
    return (uA >= 0.0f && uA <= 1.0f && uB >= 0.0f && uB <= 1.0f) ? 2 : 3;
}

CircleCrossing intersectSegmentCircle(const Circle& c, const Segment& s) {
    const float cx = c.centre.x, cy = c.centre.y, r = c.r;
    const float x1 = static_cast<float>(static_cast<double>(s.from.x) - cx);
    const float y1 = static_cast<float>(static_cast<double>(s.from.y) - cy);
    const float x2 = static_cast<float>(static_cast<double>(s.to.x) - cx);
    const float y2 = static_cast<float>(static_cast<double>(s.to.y) - cy);

    const float dx = static_cast<float>(static_cast<double>(x2) - x1);
    const float dy = static_cast<float>(static_cast<double>(y2) - y1);
    const float dr =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    const float dt =
        static_cast<float>(static_cast<double>(x1) * y2 - static_cast<double>(x2) * y1);
    const double sgn = dy < 0.0f ? -1.0 : 1.0;

    const double drSq = static_cast<double>(dr) * dr;
    const int32_t n =
        roundedDiscriminant(static_cast<double>(r) * r * dr * dr - static_cast<double>(dt) * dt);
    float ax = 0, ay = 0, bx = 0, by = 0;
    if (n >= 0) {
        const double root = std::sqrt(static_cast<double>(n));
        ax = static_cast<float>((static_cast<double>(dt) * dy + sgn * dx * root) / drSq);
        ay = static_cast<float>((-static_cast<double>(dt) * dx + std::fabs(dy) * root) / drSq);
        bx = static_cast<float>((static_cast<double>(dt) * dy - sgn * dx * root) / drSq);
        by = static_cast<float>((-static_cast<double>(dt) * dx - std::fabs(dy) * root) / drSq);
    }
    int32_t status = n < 0 ? -1 : (n > 0 ? 1 : 0);

    if (status != -1) {
        // Keep only the points that lie on the segment, compared along the
        // coordinate in which the segment has extent.
        const bool alongX = x1 != x2;
        const float ca = alongX ? ax : ay;
        const float cb = alongX ? bx : by;
        const bool aIsLo = ca < cb;  // p2 is the low one when they are equal
        const float loX = aIsLo ? ax : bx, loY = aIsLo ? ay : by;
        const float hiX = aIsLo ? bx : ax, hiY = aIsLo ? by : ay;
        const float lo = aIsLo ? ca : cb;
        const float hi = aIsLo ? cb : ca;
        const float s1 = alongX ? x1 : y1;
        const float s2 = alongX ? x2 : y2;
        const float smin = s1 < s2 ? s1 : s2;
        const float smax = s1 < s2 ? s2 : s1;
        if (smax < lo || smin > hi) {
            status = -1;
        } else if (smin > lo && smax < hi) {
            status = -1;
        } else if (smin > lo) {
            status = 0;
            ax = bx = hiX;
            ay = by = hiY;
        } else if (smax < hi) {
            status = 0;
            ax = bx = loX;
            ay = by = loY;
        }
    }

    auto back = [&](float x, float y) {
        return Point{static_cast<float>(static_cast<double>(x) + cx),
                     static_cast<float>(static_cast<double>(y) + cy)};
    };
    return {status, back(ax, ay), back(bx, by)};
}

CircleCrossing intersectSegmentArc(Point centre, Point start, Point end, const Segment& s) {
    CircleCrossing c = intersectSegmentCircle({centre, distance(centre, start)}, s);
    const float a0 = angleTo(centre, start);
    const float a1 = angleTo(centre, end);
    if (c.status == 0) {
        if (!onArc(a0, a1, angleTo(centre, c.second)))
            c.status = -1;
    } else if (c.status == 1) {
        if (!onArc(a0, a1, angleTo(centre, c.first))) {
            c.status = 0;
            c.first = c.second;
        }
        if (!onArc(a0, a1, angleTo(centre, c.second))) {
            c.status -= 1;
            c.second = c.first;
        }
    }
    return c;
}

TangentArc tangentArcPLL(Point a, Point v, Point b, Point q) {
    TangentArc arc;
    const float theta1 = angleTo(v, a);
    const float theta2 = angleTo(v, b);
    if (theta1 == theta2)
        return arc;

    const float beta =
        theta1 > theta2 ? static_cast<float>(theta2 + (static_cast<double>(theta1) - theta2) / 2.0)
                        : static_cast<float>(theta2 + (TWO_PI - theta2 + theta1) / 2.0);

    const Point q2 = pointOnCircle({q, 1.0f}, static_cast<float>(beta + HALF_PI));
    const Point w = pointOnCircle({v, 1.0f}, beta);

    // M: the foot of the perpendicular from Q on the bisector.
    Point m;
    const int32_t s1 = intersectSegments({v, w}, {q, q2}, m);
    if (s1 == 0 || s1 == 1)
        return arc;
    const float width = static_cast<float>(2.0 * distance(q, m));

    // N: where the line through Q and M meets the line V-B.
    Point n;
    const int32_t s2 = intersectSegments({v, b}, {q, m}, n);
    if (s2 == 0 || s2 == 1)
        return arc;

    const float d1 = distance(n, q);
    const float d2 = static_cast<float>(static_cast<double>(width) + d1);
    const float g = static_cast<float>(1.0 / std::sqrt((1.0 / d1) * (1.0 / d2)));
    const float t = static_cast<float>(static_cast<double>(distance(v, n)) - g);
    arc.touch = pointOnCircle({v, t}, theta1);

    const Segment bisector = perpendicularBisector({arc.touch, q}, 10.0f);
    const int32_t s3 = intersectSegments({v, m}, bisector, arc.centre);
    arc.found = !(s3 == 0 || s3 == 1);
    return arc;
}

Segment perpendicularBisector(const Segment& s, float length) {
    const float x1 = s.from.x, y1 = s.from.y, x2 = s.to.x, y2 = s.to.y;
    const Point mid = {static_cast<float>(x1 + (static_cast<double>(x2) - x1) / 2.0),
                       static_cast<float>(y1 + (static_cast<double>(y2) - y1) / 2.0)};
    const float a = static_cast<float>(angleTo(s.from, s.to) + HALF_PI);
    return {mid, pointOnCircle({mid, length}, a)};
}

}  // namespace bowlyn

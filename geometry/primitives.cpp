#include "geometry/primitives.h"

#include <cmath>
#include <limits>

#include "render/view_transform.h"

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

float angleTo(float x1, float y1, float x2, float y2) {
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

void pointOnCircle(float cx, float cy, float r, float a, float& x, float& y) {
    x = static_cast<float>(std::cos(static_cast<double>(a)) * r + cx);
    y = static_cast<float>(std::sin(static_cast<double>(a)) * r + cy);
}

float distance(float x1, float y1, float x2, float y2) {
    return static_cast<float>(
        std::sqrt(sq(static_cast<double>(x1) - x2) + sq(static_cast<double>(y1) - y2)));
}

void crossTangent(float x1, float y1, float r1, float x2, float y2, float r2, int32_t side,
                  float& p1x, float& p1y, float& p2x, float& p2y) {
    // Solve with the second centre turned to lie straight above the first,
    // then turn the touching points back.
    const float theta = angleTo(x1, y1, x2, y2);
    const float rho = static_cast<float>(theta - HALF_PI);
    const float d = distance(x1, y1, x2, y2);
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

    auto turnBack = [&](float px, float py, float& outX, float& outY) {
        const float gamma = angleTo(x1, y1, px, py);
        const float s = distance(x1, y1, px, py);
        pointOnCircle(x1, y1, s, static_cast<float>(static_cast<double>(rho) + gamma), outX, outY);
    };
    turnBack(ax, ay, p1x, p1y);
    turnBack(bx, by, p2x, p2y);
}

void intersectSegments(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                       float y4, int32_t& status, float& x, float& y) {
    const double dx12 = static_cast<double>(x2) - x1, dy12 = static_cast<double>(y2) - y1;
    const double dx34 = static_cast<double>(x4) - x3, dy34 = static_cast<double>(y4) - y3;
    const double dx13 = static_cast<double>(x1) - x3, dy13 = static_cast<double>(y1) - y3;
    const float den = static_cast<float>(dy34 * dx12 - dx34 * dy12);
    const float nA = static_cast<float>(dx34 * dy13 - dy34 * dx13);
    const float nB = static_cast<float>(dx12 * dy13 - dy12 * dx13);
    if (den == 0.0f) {
        status = (nA == 0.0f && nB == 0.0f) ? 1 : 0;
        return;
    }
    const float uA = static_cast<float>(static_cast<double>(nA) / den);
    const float uB = static_cast<float>(static_cast<double>(nB) / den);
    status = (uA >= 0.0f && uA <= 1.0f && uB >= 0.0f && uB <= 1.0f) ? 2 : 3;
    x = static_cast<float>(x1 + dx12 * uA);
    y = static_cast<float>(y1 + dy12 * uA);
}

void intersectSegmentCircle(float cx, float cy, float r, float x1, float y1, float x2, float y2,
                            int32_t& status, float& p1x, float& p1y, float& p2x, float& p2y) {
    x1 = static_cast<float>(static_cast<double>(x1) - cx);
    y1 = static_cast<float>(static_cast<double>(y1) - cy);
    x2 = static_cast<float>(static_cast<double>(x2) - cx);
    y2 = static_cast<float>(static_cast<double>(y2) - cy);

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
    status = n < 0 ? -1 : (n > 0 ? 1 : 0);

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

    p1x = static_cast<float>(static_cast<double>(ax) + cx);
    p1y = static_cast<float>(static_cast<double>(ay) + cy);
    p2x = static_cast<float>(static_cast<double>(bx) + cx);
    p2y = static_cast<float>(static_cast<double>(by) + cy);
}

void intersectSegmentArc(float cx, float cy, float sx, float sy, float ex, float ey, float x1,
                         float y1, float x2, float y2, int32_t& status, float& p1x, float& p1y,
                         float& p2x, float& p2y) {
    const float r = distance(cx, cy, sx, sy);
    intersectSegmentCircle(cx, cy, r, x1, y1, x2, y2, status, p1x, p1y, p2x, p2y);
    const float a0 = angleTo(cx, cy, sx, sy);
    const float a1 = angleTo(cx, cy, ex, ey);
    if (status == 0) {
        if (!onArc(a0, a1, angleTo(cx, cy, p2x, p2y)))
            status = -1;
    } else if (status == 1) {
        if (!onArc(a0, a1, angleTo(cx, cy, p1x, p1y))) {
            status = 0;
            p1x = p2x;
            p1y = p2y;
        }
        if (!onArc(a0, a1, angleTo(cx, cy, p2x, p2y))) {
            status -= 1;
            p2x = p1x;
            p2y = p1y;
        }
    }
}

void tangentArcPLL(float ax, float ay, float vx, float vy, float bx, float by, float qx, float qy,
                   float& cx, float& cy, float& tx, float& ty, int32_t& status) {
    status = 0;
    const float theta1 = angleTo(vx, vy, ax, ay);
    const float theta2 = angleTo(vx, vy, bx, by);
    if (theta1 == theta2)
        return;

    const float beta =
        theta1 > theta2 ? static_cast<float>(theta2 + (static_cast<double>(theta1) - theta2) / 2.0)
                        : static_cast<float>(theta2 + (TWO_PI - theta2 + theta1) / 2.0);

    float q2x, q2y, wx, wy;
    pointOnCircle(qx, qy, 1.0f, static_cast<float>(beta + HALF_PI), q2x, q2y);
    pointOnCircle(vx, vy, 1.0f, beta, wx, wy);

    // M: the foot of the perpendicular from Q on the bisector.
    int32_t s1 = 0;
    float mx = 0, my = 0;
    intersectSegments(vx, vy, wx, wy, qx, qy, q2x, q2y, s1, mx, my);
    if (s1 == 0 || s1 == 1)
        return;
    const float w = static_cast<float>(2.0 * distance(qx, qy, mx, my));

    // N: where the line through Q and M meets the line V-B.
    int32_t s2 = 0;
    float nx = 0, ny = 0;
    intersectSegments(vx, vy, bx, by, qx, qy, mx, my, s2, nx, ny);
    if (s2 == 0 || s2 == 1)
        return;

    const float d1 = distance(nx, ny, qx, qy);
    const float d2 = static_cast<float>(static_cast<double>(w) + d1);
    const float g = static_cast<float>(1.0 / std::sqrt((1.0 / d1) * (1.0 / d2)));
    const float t = static_cast<float>(static_cast<double>(distance(vx, vy, nx, ny)) - g);
    pointOnCircle(vx, vy, t, theta1, tx, ty);

    float m2x, m2y, e2x, e2y;
    perpendicularBisector(tx, ty, qx, qy, 10.0f, m2x, m2y, e2x, e2y);
    int32_t s3 = 0;
    intersectSegments(vx, vy, mx, my, m2x, m2y, e2x, e2y, s3, cx, cy);
    if (s3 == 0 || s3 == 1)
        return;
    status = 1;
}

void perpendicularBisector(float x1, float y1, float x2, float y2, float length, float& mx,
                           float& my, float& ex, float& ey) {
    mx = static_cast<float>(x1 + (static_cast<double>(x2) - x1) / 2.0);
    my = static_cast<float>(y1 + (static_cast<double>(y2) - y1) / 2.0);
    const float a = static_cast<float>(angleTo(x1, y1, x2, y2) + HALF_PI);
    pointOnCircle(mx, my, length, a, ex, ey);
}

}  // namespace bowlyn

#include "render/clipped_paths.h"

#include <algorithm>
#include <cmath>

namespace bowlyn {

bool clipSegment(double x1, double y1, double x2, double y2, const DeviceRect& rect, double& t0,
                 double& t1) {
    // Liang and Barsky: the segment against each of the four sides.
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - rect.left, rect.right - x1, y1 - rect.top, rect.bottom - y1};
    t0 = 0.0;
    t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

namespace {

constexpr double TURN = 2.0 * 3.14159265358979323846;

// Angles at which the circle meets the line x = c (vertical) or y = c.
void crossings(double centre, double r, double c, bool vertical, std::vector<double>& out) {
    const double k = (c - centre) / r;
    if (!(std::fabs(k) <= 1.0))
        return;
    if (vertical) {
        const double a = std::acos(k);  // cos(angle) = k
        out.push_back(a);
        out.push_back(-a);
    } else {
        const double a = std::asin(k);  // sin(angle) = k
        out.push_back(a);
        out.push_back(TURN / 2.0 - a);
    }
}

}  // namespace

std::vector<std::pair<double, double>> visibleSpans(double cx, double cy, double r, double start,
                                                    double sweep, const DeviceRect& rect) {
    std::vector<std::pair<double, double>> spans;
    const double length = std::min(std::fabs(sweep), TURN);
    if (!(r > 0.0) || !(length > 0.0))
        return spans;
    const double dir = sweep < 0.0 ? -1.0 : 1.0;
    // Where the circle crosses the rectangle's sides, as distances along the path.
    std::vector<double> angles;
    crossings(cx, r, rect.left, true, angles);
    crossings(cx, r, rect.right, true, angles);
    crossings(cy, r, rect.top, false, angles);
    crossings(cy, r, rect.bottom, false, angles);
    std::vector<double> cuts = {0.0, length};
    for (double a : angles) {
        double t = std::fmod(dir * (a - start), TURN);
        if (t < 0.0)
            t += TURN;
        if (t > 0.0 && t < length)
            cuts.push_back(t);
    }
    std::sort(cuts.begin(), cuts.end());
    // Between two crossings the path is wholly inside or wholly outside.
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double a = cuts[i], b = cuts[i + 1];
        if (!(b > a))
            continue;
        const double mid = start + dir * (a + b) / 2.0;
        if (!rect.contains(cx + r * std::cos(mid), cy + r * std::sin(mid)))
            continue;
        if (!spans.empty() && spans.back().second == a)
            spans.back().second = b;
        else
            spans.emplace_back(a, b);
    }
    return spans;
}

}  // namespace bowlyn

#include "derive/piece_join.h"

#include <cmath>
#include <vector>

#include "derive/xy.h"

namespace bowlyn {
namespace {

// Where a line or an arc's circle lies: a point and direction, or a circle.
struct Carrier {
    bool circle = false;
    XY p, d;  // a line through p along d (unit)
    XY c;     // a circle round c of radius r
    double r = 0;
};

Carrier carrierOf(const ContourPiece& piece) {
    Carrier k;
    if (piece.sweep != 0.0) {
        k.circle = true;
        k.c = {piece.cx, piece.cy};
        k.r = piece.r;
        return k;
    }
    const double length = std::hypot(piece.x2 - piece.x1, piece.y2 - piece.y1);
    k.p = {piece.x1, piece.y1};
    k.d = {(piece.x2 - piece.x1) / length, (piece.y2 - piece.y1) / length};
    return k;
}

// The points where two carriers cross, or where they come closest when they
// do not (tangent circles, a grazing line): the middle between the nearest
// points of each.
std::vector<XY> crossings(const Carrier& a, const Carrier& b) {
    if (!a.circle && !b.circle) {
        const double det = a.d.x * b.d.y - a.d.y * b.d.x;
        if (det == 0.0)
            return {};
        const double t = ((b.p.x - a.p.x) * b.d.y - (b.p.y - a.p.y) * b.d.x) / det;
        return {{a.p.x + t * a.d.x, a.p.y + t * a.d.y}};
    }
    if (a.circle != b.circle) {
        const Carrier& line = a.circle ? b : a;
        const Carrier& circle = a.circle ? a : b;
        // The foot of the centre on the line, and half the chord either side.
        const double t = (circle.c.x - line.p.x) * line.d.x + (circle.c.y - line.p.y) * line.d.y;
        const XY foot = {line.p.x + t * line.d.x, line.p.y + t * line.d.y};
        const double off = distance(foot, circle.c);
        if (off >= circle.r) {
            if (off == 0.0)
                return {};
            const XY onCircle = {circle.c.x + (foot.x - circle.c.x) * circle.r / off,
                                 circle.c.y + (foot.y - circle.c.y) * circle.r / off};
            return {{(foot.x + onCircle.x) / 2.0, (foot.y + onCircle.y) / 2.0}};
        }
        const double h = std::sqrt(circle.r * circle.r - off * off);
        return {{foot.x - h * line.d.x, foot.y - h * line.d.y},
                {foot.x + h * line.d.x, foot.y + h * line.d.y}};
    }
    const double d = distance(a.c, b.c);
    if (d == 0.0)
        return {};
    const XY u = {(b.c.x - a.c.x) / d, (b.c.y - a.c.y) / d};
    const double along = (d * d + a.r * a.r - b.r * b.r) / (2.0 * d);
    const double h2 = a.r * a.r - along * along;
    if (h2 <= 0.0) {
        // Apart or one inside the other: the nearest points lie on the line
        // of the centres, on the side where the circles come closest.
        const double sa = along >= 0.0 ? 1.0 : -1.0;
        const XY pa = {a.c.x + sa * a.r * u.x, a.c.y + sa * a.r * u.y};
        const double sb = (pa.x - b.c.x) * u.x + (pa.y - b.c.y) * u.y >= 0.0 ? 1.0 : -1.0;
        const XY pb = {b.c.x + sb * b.r * u.x, b.c.y + sb * b.r * u.y};
        return {{(pa.x + pb.x) / 2.0, (pa.y + pb.y) / 2.0}};
    }
    const double h = std::sqrt(h2);
    const XY m = {a.c.x + along * u.x, a.c.y + along * u.y};
    return {{m.x - h * u.y, m.y + h * u.x}, {m.x + h * u.y, m.y - h * u.x}};
}

// The signed angle from a to b in (-pi, pi].
double turn(double a, double b) {
    return std::remainder(b - a, CIRCLE_RADIANS);
}

// Moves the end (or the start) of a piece to p, which lies on its carrier;
// false when the piece would then run backwards or round.
bool moveEnd(ContourPiece& piece, XY p, bool end) {
    if (piece.sweep == 0.0) {
        const double before = (piece.x2 - piece.x1) * (piece.x2 - piece.x1) +
                              (piece.y2 - piece.y1) * (piece.y2 - piece.y1);
        const XY from = end ? XY{piece.x1, piece.y1} : p, to = end ? p : XY{piece.x2, piece.y2};
        if ((to.x - from.x) * (piece.x2 - piece.x1) + (to.y - from.y) * (piece.y2 - piece.y1) <=
                0.0 ||
            !(before > 0.0))
            return false;
        (end ? piece.x2 : piece.x1) = p.x;
        (end ? piece.y2 : piece.y1) = p.y;
        return true;
    }
    const double angle = std::atan2(p.y - piece.cy, p.x - piece.cx);
    double sweep = piece.sweep, start = piece.start;
    if (end) {
        sweep += turn(start + sweep, angle);
    } else {
        const double by = turn(start, angle);
        start += by;
        sweep -= by;
    }
    if ((sweep > 0.0) != (piece.sweep > 0.0) || std::fabs(sweep) >= CIRCLE_RADIANS)
        return false;
    const XY on = {piece.cx + piece.r * std::cos(angle), piece.cy + piece.r * std::sin(angle)};
    piece.start = start;
    piece.sweep = sweep;
    (end ? piece.x2 : piece.x1) = on.x;
    (end ? piece.y2 : piece.y1) = on.y;
    return true;
}

}  // namespace

std::optional<double> joinAtCrossing(ContourPiece& in, ContourPiece& out) {
    const XY endOfIn = {in.x2, in.y2}, startOfOut = {out.x1, out.y1};
    const double gap = distance(endOfIn, startOfOut);
    const XY middle = {(endOfIn.x + startOfOut.x) / 2.0, (endOfIn.y + startOfOut.y) / 2.0};
    const std::vector<XY> points = crossings(carrierOf(in), carrierOf(out));
    if (points.empty())
        return std::nullopt;
    XY best = points.front();
    for (const XY& p : points) {
        if (distance(p, middle) < distance(best, middle))
            best = p;
    }
    ContourPiece a = in, b = out;
    if (!moveEnd(a, best, true) || !moveEnd(b, best, false))
        return std::nullopt;
    in = a;
    out = b;
    return gap;
}

}  // namespace bowlyn

#include "geometry/outline_pieces.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "model/design_parameters.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;
// A ray in a direction that no axis-parallel design value lines up with, so it
// does not run through the joint of two pieces.
constexpr double RAY_ANGLE = 0.3;

// --- The exact form, as the exports join the pieces.

// Counter-clockwise on the arc's circle from angle `from` to angle `to`.
ContourPiece exactArc(const char* name, const OutlineArc& a, double from, double to) {
    const double cx = a.cx, cy = a.cy, r = a.r;
    ContourPiece p;
    p.name = name;
    p.x1 = cx + r * std::cos(from);
    p.y1 = cy + r * std::sin(from);
    p.x2 = cx + r * std::cos(to);
    p.y2 = cy + r * std::sin(to);
    p.sweep = ccwSweep(from, to);
    p.cx = cx;
    p.cy = cy;
    p.r = r;
    p.start = from;
    return p;
}

// The part of an arc from angle `from` to angle `to`, both on the arc. An
// angle computed a rounding error outside the arc is taken back to its
// nearer end, so the part never wraps round the circle the wrong way.
ContourPiece exactPartArc(const char* name, const OutlineArc& a, double from, double to) {
    const double whole = ccwSweep(a.start, a.end);
    auto clamp = [&](double angle) {
        const double along = ccwSweep(a.start, angle);
        if (along <= whole)
            return along;
        return along > whole + (CIRCLE_RADIANS - whole) / 2.0 ? 0.0 : whole;
    };
    const double u = clamp(from), v = std::max(clamp(to), u);
    return exactArc(name, a, a.start + u, a.start + v);
}

ContourPiece reversed(ContourPiece p) {
    std::swap(p.x1, p.x2);
    std::swap(p.y1, p.y2);
    p.start += p.sweep;
    p.sweep = -p.sweep;
    return p;
}

// The mirror image about the centre line, walked the other way, so that it
// still runs counter-clockwise round the body.
ContourPiece mirroredBack(ContourPiece p) {
    p.x1 = -p.x1;
    p.x2 = -p.x2;
    p.cx = -p.cx;
    p.start = CIRCLE_RADIANS / 2.0 - p.start;
    p.sweep = -p.sweep;  // a mirror image turns the other way ...
    return reversed(p);  // ... and walked back, the same way again
}

// --- The drawn form.

OutlinePiece drawnLine(double x1, double y1, double x2, double y2) {
    OutlinePiece p;
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    return p;
}

OutlinePiece drawnArc(double cx, double cy, double r, double a1, double a2) {
    OutlinePiece p;
    p.arc = true;
    p.cx = cx;
    p.cy = cy;
    p.r = r;
    p.a1 = a1;
    p.a2 = a2;
    return p;
}

OutlinePiece drawnArc(const OutlineArc& a, double from, double to) {
    return drawnArc(a.cx, a.cy, a.r, from, to);
}

// Mirrored, the arc still runs counter-clockwise from the image of its old
// end to the image of its old start.
OutlinePiece mirrored(OutlinePiece p) {
    p.x1 = -p.x1;
    p.x2 = -p.x2;
    p.cx = -p.cx;
    const double a1 = PI - p.a2, a2 = PI - p.a1;
    p.a1 = a1;
    p.a2 = a2;
    return p;
}

// Walks the computed half of a record's outline from the tail to the neck
// end, as the exports loop round it, keeping each piece in both forms. A cut
// point on an arc (where the cutaway leaves or meets the outline) is an angle
// of single precision in the drawing and of double precision in the loop.
class HalfWalk {
  public:
    explicit HalfWalk(const OutlineRecord& r)
        : r_(r), o_(r.outline), c_(r.outline.cutaway), ub_(o_.upperBoutArc), sh_(o_.shoulderArc) {}

    // The tail up to the waist side of the upper bout: the same on both
    // halves, with or without a cutaway.
    void lowerHalf() {
        if (r_.lowerBoutOffset > 0.0f)
            wholeArc("tail arc", o_.tailArc);
        else
            sameLine("tail line", 0.0, 0.0, o_.tailArc.cx, 0.0);
        wholeArc("lower bout arc", o_.lowerBoutArc);
        if (r_.lowerBoutRadiusIncrement > 0.0f)
            wholeArc("secondary lower bout arc", o_.lowerBoutSecondaryArc);
        const OutlineSegment& lt = o_.lowerTangent;
        sameLine("lower tangent", lt.x1, lt.y1, lt.x2, lt.y2);
        add(drawnArc(o_.waistArc, o_.waistArc.start, o_.waistArc.end),
            reversed(exactArc("waist arc", o_.waistArc, o_.waistArc.start, o_.waistArc.end)));
        const OutlineSegment& ut = o_.upperTangent;
        sameLine("upper tangent", ut.x1, ut.y1, ut.x2, ut.y2);
        if (r_.upperBoutRadiusIncrement > 0.0f)
            wholeArc("secondary upper bout arc", o_.upperBoutSecondaryArc);
    }

    // The upper bout, the shoulder and the flat of a half without a cutaway.
    void plainUpper() {
        wholeArc("upper bout arc", ub_);
        wholeShoulder();
        neckFlatToCentre();
    }

    // From the upper bout up to C, where the cutaway leaves the outline.
    void upToCutaway() {
        const float cx = c_.widthPoint.x, cy = c_.widthPoint.y;
        if (c_.widthHit == UPPER_BOUT_ARC) {
            add(drawnArc(ub_, ub_.start, angleTo(ub_.centre(), c_.widthPoint)),
                exactPartArc("upper bout arc", ub_, ub_.start, exactAngle(ub_, cx, cy)));
            return;
        }
        wholeArc("upper bout arc", ub_);
        if (c_.widthHit == UPPER_SHOULDER) {
            if (hasShoulderArc()) {
                add(drawnArc(sh_, sh_.start, angleTo(sh_.centre(), c_.widthPoint)),
                    exactPartArc("shoulder arc", sh_, sh_.start, exactAngle(sh_, cx, cy)));
            } else {
                add(drawnLine(cx, sh_.cy, shoulderOuterX(), sh_.cy),
                    ContourPiece::line("shoulder line", upperBoutTopX(), sh_.cy, cx, sh_.cy));
            }
            return;
        }
        wholeShoulder();
        const OutlineSegment& nf = o_.neckFlat;
        add(drawnLine(cx, cy, nf.x2, nf.y2), ContourPiece::line("neck flat", nf.x2, nf.y2, cx, cy));
    }

    // Into the cutaway at C and out of it at A, on the inner edge's top.
    void cutaway() {
        const OutlineArc cutArc = c_.arc();
        const OutlinePiece drawnCut = drawnArc(cutArc, cutArc.start, cutArc.end);
        if (r_.cutawayType == CUTAWAYTYPEFLORENTINE) {
            add(drawnCut, reversed(exactArc("cutaway arc", cutArc, cutArc.start, cutArc.end)));
        } else {
            const OutlineArc point = c_.point();
            const ContourPiece horn = exactArc("cutaway point arc", point, point.start, point.end);
            const ContourPiece valley =
                reversed(exactArc("cutaway valley arc", cutArc, cutArc.start, cutArc.end));
            // Drawn between the tangent points in single precision; joined
            // between the two arcs' exact ends.
            const Point u = pointOnCircle(cutArc.circle(), cutArc.end);
            const Point v = pointOnCircle(point.circle(), point.end);
            add(drawnArc(point, point.start, point.end), horn);
            add(drawnLine(u.x, u.y, v.x, v.y),
                ContourPiece::line("cutaway tangent", horn.x2, horn.y2, valley.x1, valley.y1));
            add(drawnCut, valley);
        }
        add(drawnLine(c_.edgeTop.x, c_.edgeTop.y, c_.edgeBottom.x, c_.edgeBottom.y),
            ContourPiece::line("cutaway edge", c_.edgeBottom.x, c_.edgeBottom.y, c_.edgeTop.x,
                               c_.edgeTop.y));
    }

    // From A on to the neck end of the centre line.
    void cutawayToNeck() {
        const OutlineSegment& nf = o_.neckFlat;
        const float ax = c_.edgeTop.x, ay = c_.edgeTop.y;
        if (c_.edgeHit == UPPER_NECK_FLAT) {
            add(drawnLine(nf.x1, nf.y1, ax, ay),
                ContourPiece::line("neck flat", ax, ay, nf.x1, nf.y1));
            return;
        }
        if (c_.edgeHit == UPPER_BOUT_ARC) {
            add(drawnArc(ub_, angleTo(ub_.centre(), c_.edgeTop), ub_.end),
                exactPartArc("upper bout arc", ub_, exactAngle(ub_, ax, ay), ub_.end));
            wholeShoulder();
        } else if (hasShoulderArc()) {
            add(drawnArc(sh_, angleTo(sh_.centre(), c_.edgeTop), sh_.end),
                exactPartArc("shoulder arc", sh_, exactAngle(sh_, ax, ay), sh_.end));
        } else {
            // Drawn along the straight shoulder's height; joined to A itself.
            add(drawnLine(sh_.cx, sh_.cy, ax, sh_.cy),
                ContourPiece::line("shoulder line", ax, ay, sh_.cx, sh_.cy));
        }
        neckFlatToCentre();
    }

    std::vector<BodyPiece> pieces;

  private:
    void add(const OutlinePiece& drawn, const ContourPiece& exact) {
        pieces.push_back({drawn, exact});
    }
    void wholeArc(const char* name, const OutlineArc& a) {
        add(drawnArc(a, a.start, a.end), exactArc(name, a, a.start, a.end));
    }
    void sameLine(const char* name, double x1, double y1, double x2, double y2) {
        add(drawnLine(x1, y1, x2, y2), ContourPiece::line(name, x1, y1, x2, y2));
    }
    static double exactAngle(const OutlineArc& a, double x, double y) {
        return std::atan2(y - a.cy, x - a.cx);
    }
    bool hasShoulderArc() const { return r_.upperBoutOffset > 0.0f; }
    // The top of the upper bout arc where a straight shoulder meets it: held
    // as a single in the loop, as the drawing holds it, and measured in
    // double precision by the sound hole check.
    double upperBoutTopX() const { return static_cast<float>(shoulderOuterX()); }
    double shoulderOuterX() const {
        return static_cast<double>(r_.upperBoutHalfWidth) - r_.upperBoutRadius;
    }
    // The shoulder from the upper bout to the neck flat: an arc, or without
    // an upper bout offset a straight line across the neck end.
    void wholeShoulder() {
        if (hasShoulderArc()) {
            wholeArc("shoulder arc", sh_);
            return;
        }
        add(drawnLine(sh_.cx, sh_.cy, shoulderOuterX(), sh_.cy),
            ContourPiece::line("shoulder line", upperBoutTopX(), sh_.cy, sh_.cx, sh_.cy));
    }
    // The whole neck flat, from its outer end to the centre line.
    void neckFlatToCentre() {
        const OutlineSegment& nf = o_.neckFlat;
        if (r_.neckFlatHalfLength > 0.0f)
            add(drawnLine(nf.x1, nf.y1, nf.x2, nf.y2),
                ContourPiece::line("neck flat", nf.x2, nf.y2, nf.x1, nf.y1));
    }

    const OutlineRecord& r_;
    const BodyOutline& o_;
    const CutawayGeometry& c_;
    const OutlineArc& ub_;
    const OutlineArc& sh_;
};

double arcY(const OutlinePiece& p, double a) {
    return p.cy + p.r * std::sin(a);
}

// Angle a brought into [0, 2pi).
double normalized(double a) {
    a = std::fmod(a, CIRCLE_RADIANS);
    return a < 0 ? a + CIRCLE_RADIANS : a;
}

// How far an arc from a1 to a2 turns: (0, 2pi]; 0 for an arc that is not drawn.
double sweep(const OutlinePiece& p) {
    if (p.a1 == p.a2)
        return 0.0;
    const double s = normalized(p.a2 - p.a1);
    return s == 0.0 ? CIRCLE_RADIANS : s;
}

// Crossings of the ray from the origin along +x with an arc whose centre and
// angles are already turned into the ray's frame. The arc is cut where its y
// turns, so each part rises or falls and meets the ray at most once; a part
// counts when its ends lie on either side (the upper end strictly above), as
// a line does.
int arcCrossings(const OutlinePiece& p) {
    const double total = sweep(p);
    int count = 0;
    double from = p.a1;
    const double end = p.a1 + total;
    while (from < end) {
        // The next angle where y turns: pi/2 + k pi.
        double turn = PI / 2 + std::ceil((from - PI / 2) / PI) * PI;
        if (turn <= from)
            turn += PI;
        const double to = std::fmin(turn, end);
        const double y1 = arcY(p, from), y2 = arcY(p, to);
        if ((y1 > 0) != (y2 > 0)) {
            const double root = std::sqrt(std::fmax(0.0, p.r * p.r - p.cy * p.cy));
            const double x = std::cos((from + to) / 2) >= 0 ? p.cx + root : p.cx - root;
            if (x > 0)
                ++count;
        }
        from = to;
    }
    return count;
}

}  // namespace

double ccwSweep(double from, double to) {
    double s = std::fmod(to - from, CIRCLE_RADIANS);
    if (s < 0.0)
        s += CIRCLE_RADIANS;
    return s;
}

std::vector<BodyPiece> bodyOutline(const OutlineRecord& record, bool withCutaway) {
    HalfWalk plain(record);
    plain.lowerHalf();
    plain.plainUpper();
    std::vector<BodyPiece> pieces;
    if (withCutaway && record.hasCutaway) {
        HalfWalk cut(record);
        cut.lowerHalf();
        cut.upToCutaway();
        cut.cutaway();
        cut.cutawayToNeck();
        pieces = std::move(cut.pieces);
    } else {
        pieces = plain.pieces;
    }
    for (auto p = plain.pieces.rbegin(); p != plain.pieces.rend(); ++p)
        pieces.push_back({mirrored(p->drawn), mirroredBack(p->exact)});
    return pieces;
}

std::vector<OutlinePiece> drawnOutline(const OutlineRecord& record, bool withCutaway) {
    std::vector<OutlinePiece> drawn;
    for (const BodyPiece& p : bodyOutline(record, withCutaway)) {
        if (!p.drawn.arc || p.drawn.a1 != p.drawn.a2)  // the primitive draws nothing either
            drawn.push_back(p.drawn);
    }
    return drawn;
}

double distanceToPiece(const OutlinePiece& p, double x, double y) {
    if (!p.arc) {
        const double dx = p.x2 - p.x1, dy = p.y2 - p.y1;
        const double length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? ((x - p.x1) * dx + (y - p.y1) * dy) / length2 : 0.0;
        t = std::fmin(1.0, std::fmax(0.0, t));
        return std::hypot(x - (p.x1 + t * dx), y - (p.y1 + t * dy));
    }
    const double d = std::hypot(x - p.cx, y - p.cy);
    if (d == 0.0)
        return std::fabs(p.r);
    if (normalized(std::atan2(y - p.cy, x - p.cx) - p.a1) <= sweep(p))
        return std::fabs(d - p.r);
    const double toStart =
        std::hypot(x - (p.cx + p.r * std::cos(p.a1)), y - (p.cy + p.r * std::sin(p.a1)));
    const double toEnd =
        std::hypot(x - (p.cx + p.r * std::cos(p.a2)), y - (p.cy + p.r * std::sin(p.a2)));
    return std::fmin(toStart, toEnd);
}

bool insideOutline(const std::vector<OutlinePiece>& pieces, double x, double y) {
    // Everything is turned so that the ray from (x, y) runs along +x.
    const double c = std::cos(RAY_ANGLE), s = std::sin(RAY_ANGLE);
    auto turnX = [&](double px, double py) { return (px - x) * c + (py - y) * s; };
    auto turnY = [&](double px, double py) { return -(px - x) * s + (py - y) * c; };
    int crossings = 0;
    for (const OutlinePiece& p : pieces) {
        if (p.arc) {
            OutlinePiece t = p;
            t.cx = turnX(p.cx, p.cy);
            t.cy = turnY(p.cx, p.cy);
            t.a1 = p.a1 - RAY_ANGLE;
            t.a2 = p.a2 - RAY_ANGLE;
            crossings += arcCrossings(t);
            continue;
        }
        const double x1 = turnX(p.x1, p.y1), y1 = turnY(p.x1, p.y1);
        const double x2 = turnX(p.x2, p.y2), y2 = turnY(p.x2, p.y2);
        if ((y1 > 0) != (y2 > 0) && x1 + (0 - y1) * (x2 - x1) / (y2 - y1) > 0)
            ++crossings;
    }
    return crossings % 2 == 1;
}

}  // namespace bowlyn

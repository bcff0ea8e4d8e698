#include "geometry/outline_pieces.h"

#include <cmath>

#include "geometry/document.h"
#include "geometry/primitives.h"

namespace bowlyn {
namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 2.0 * PI;
// A ray in a direction that no axis-parallel design value lines up with, so it
// does not run through the joint of two pieces.
constexpr double RAY_ANGLE = 0.3;

// Angle a brought into [0, 2pi).
double normalized(double a) {
    a = std::fmod(a, TWO_PI);
    return a < 0 ? a + TWO_PI : a;
}

// How far an arc from a1 to a2 turns: (0, 2pi]; 0 for an arc that is not drawn.
double sweep(const OutlinePiece& p) {
    if (p.a1 == p.a2)
        return 0.0;
    const double s = normalized(p.a2 - p.a1);
    return s == 0.0 ? TWO_PI : s;
}

// Collects the pieces: side 1 adds a piece and its mirror image, -1 the
// mirror image only, 0 the piece only (as the stroke primitives do).
class PieceList {
  public:
    void line(double x1, double y1, double x2, double y2, int side) {
        OutlinePiece p;
        p.x1 = x1;
        p.y1 = y1;
        p.x2 = x2;
        p.y2 = y2;
        add(p, side);
    }
    void arc(double cx, double cy, double r, double a1, double a2, int side) {
        if (a1 == a2)
            return;  // the primitive draws nothing either
        OutlinePiece p;
        p.arc = true;
        p.cx = cx;
        p.cy = cy;
        p.r = r;
        p.a1 = a1;
        p.a2 = a2;
        add(p, side);
    }
    void arc(const OutlineArc& a, double from, double to, int side) {
        arc(a.cx, a.cy, a.r, from, to, side);
    }
    void arc(const OutlineArc& a, int side) { arc(a, a.start, a.end, side); }

    std::vector<OutlinePiece> pieces;

  private:
    void add(const OutlinePiece& p, int side) {
        if (side >= 0)
            pieces.push_back(p);
        if (side != 0)
            pieces.push_back(mirrored(p));
    }
    static OutlinePiece mirrored(OutlinePiece p) {
        p.x1 = -p.x1;
        p.x2 = -p.x2;
        p.cx = -p.cx;
        // Mirrored, the arc still runs counter-clockwise from the image of
        // its old end to the image of its old start.
        const double a1 = PI - p.a2, a2 = PI - p.a1;
        p.a1 = a1;
        p.a2 = a2;
        return p;
    }
};

// The cutaway side of the positive half, following drawCutawaySide.
void addCutawaySide(const Document& doc, PieceList& list) {
    const DesignParameters& p = doc.params;
    const BodyOutline& o = doc.outline;
    const CutawayGeometry& c = o.cutaway;
    const OutlineArc& sh = o.shoulderArc;
    const OutlineArc& ub = o.upperBoutArc;
    const bool flat = p.neckFlatHalfLength > 0.0f;
    const bool shoulderArc = p.upperBoutOffset > 0.0f;
    const double shoulderOuterX = static_cast<double>(p.upperBoutHalfWidth) - p.upperBoutRadius;
    auto wholeFlat = [&] {
        if (flat)
            list.line(o.neckFlat.x1, o.neckFlat.y1, o.neckFlat.x2, o.neckFlat.y2, 0);
    };
    auto wholeShoulder = [&] {
        if (shoulderArc)
            list.arc(sh, 0);
        else
            list.line(sh.cx, sh.cy, shoulderOuterX, sh.cy, 0);
    };
    auto angleOn = [](const OutlineArc& a, float x, float y) { return angleTo(a.cx, a.cy, x, y); };

    list.arc(c.arcCentreX, c.arcCentreY, c.arcRadius, c.arcStartAngle, c.arcEndAngle, 0);
    list.line(c.edgeTopX, c.edgeTopY, c.edgeBottomX, c.edgeBottomY, 0);
    if (p.cutawayType != CUTAWAYTYPEFLORENTINE) {
        list.arc(c.pointCentreX, c.pointCentreY, c.pointRadius, c.pointAngleAtC,
                 c.pointAngleAtTangent, 0);
        float ux = 0, uy = 0, vx = 0, vy = 0;
        pointOnCircle(c.arcCentreX, c.arcCentreY, c.arcRadius, c.arcEndAngle, ux, uy);
        pointOnCircle(c.pointCentreX, c.pointCentreY, c.pointRadius, c.pointAngleAtTangent, vx, vy);
        list.line(ux, uy, vx, vy, 0);
    }

    const float ax = c.edgeTopX, ay = c.edgeTopY;
    switch (c.edgeHit) {
        case UPPER_NECK_FLAT:
            list.line(o.neckFlat.x1, o.neckFlat.y1, ax, ay, 0);
            break;
        case UPPER_SHOULDER:
            wholeFlat();
            if (shoulderArc)
                list.arc(sh, angleOn(sh, ax, ay), sh.end, 0);
            else
                list.line(sh.cx, sh.cy, ax, sh.cy, 0);
            break;
        case UPPER_BOUT_ARC:
            wholeFlat();
            wholeShoulder();
            list.arc(ub, angleOn(ub, ax, ay), ub.end, 0);
            break;
        default:
            break;
    }

    const float cx = c.widthPointX, cy = c.widthPointY;
    switch (c.widthHit) {
        case UPPER_BOUT_ARC:
            list.arc(ub, ub.start, angleOn(ub, cx, cy), 0);
            break;
        case UPPER_SHOULDER:
            list.arc(ub, 0);
            if (shoulderArc)
                list.arc(sh, sh.start, angleOn(sh, cx, cy), 0);
            else
                list.line(cx, sh.cy, shoulderOuterX, sh.cy, 0);
            break;
        case UPPER_NECK_FLAT:
            if (p.cutawayType != CUTAWAYTYPEFLORENTINE)
                break;
            list.arc(ub, 0);
            wholeShoulder();
            list.line(cx, cy, o.neckFlat.x2, o.neckFlat.y2, 0);
            break;
        default:
            break;
    }
}

double arcY(const OutlinePiece& p, double a) {
    return p.cy + p.r * std::sin(a);
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

std::vector<OutlinePiece> bodyOutlinePieces(const Document& doc, bool cutawaySide) {
    const DesignParameters& p = doc.params;
    const BodyOutline& o = doc.outline;
    const bool cut = cutawaySide && p.hasCutaway == 1;
    const int s = cut ? -1 : 1;
    PieceList list;

    if (p.lowerBoutOffset > 0.0f)
        list.arc(o.tailArc, 1);
    else
        list.line(0.0, 0.0, o.tailArc.cx, 0.0, 1);
    const OutlineSegment& lt = o.lowerTangent;
    list.line(lt.x1, lt.y1, lt.x2, lt.y2, 1);
    if (p.lowerBoutRadiusIncrement > 0.0f)
        list.arc(o.lowerBoutSecondaryArc, 1);
    list.arc(o.lowerBoutArc, 1);
    const OutlineSegment& ut = o.upperTangent;
    list.line(ut.x1, ut.y1, ut.x2, ut.y2, 1);
    list.arc(o.waistArc, 1);
    if (p.upperBoutOffset > 0.0f) {
        list.arc(o.shoulderArc, s);
    } else {
        const double upperX = static_cast<double>(p.upperBoutHalfWidth) - p.upperBoutRadius;
        list.line(o.shoulderArc.cx, o.shoulderArc.cy, upperX, o.shoulderArc.cy, s);
    }
    if (p.upperBoutRadiusIncrement > 0.0f)
        list.arc(o.upperBoutSecondaryArc, 1);
    list.arc(o.upperBoutArc, s);
    if (p.neckFlatHalfLength > 0.0f)
        list.line(o.neckFlat.x1, o.neckFlat.y1, o.neckFlat.x2, o.neckFlat.y2, s);
    if (cut)
        addCutawaySide(doc, list);
    return std::move(list.pieces);
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

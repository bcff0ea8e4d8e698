#include "geometry/cutaway.h"

#include <cmath>

#include "geometry/neck.h"
#include "geometry/primitives.h"
#include "geometry/value_checks.h"
#include "model/field_table.h"

namespace bowlyn {
namespace {

constexpr double HALF_PI = PI_SINGLE / 2.0;
constexpr double FULL_TURN = 2.0 * PI_SINGLE;

using MaybeProblem = std::optional<Problem>;

// The fields the fingerboard taper is given by, for the taper's own problem.
FieldSet taperFields(const DesignParameters& p) {
    if (p.taperType == TAPERTYPEBOARDWIDTH)
        return {fields::NUT_WIDTH, fields::BOARD_WIDTH_AT_FRET, fields::BOARD_WIDTH_FRET};
    return {fields::NUT_WIDTH, fields::BRIDGE_STRING_SPACING, fields::STRING_SETBACK,
            fields::FIRST_STRING_DIAMETER, fields::LAST_STRING_DIAMETER};
}

// The parameter checks that need no geometry, in the order they are made.
std::optional<Check> parameterProblem(const DesignParameters& p) {
    if (!nonNegative(p.cutawaySideOffset))
        return Check::CutawaySideOffset;
    if (!positive(p.cutawayDepth) || !positive(p.cutawayWidth))
        return Check::CutawaySize;
    if (!nonNegative(p.cutawayPointRadius))
        return Check::CutawayPointRadiusNegative;
    if (p.neckJoinsAtFret <= 0)
        return Check::CutawayJoinFret;
    if (!positive(p.scaleLength) || !positive(p.nutWidth))
        return Check::CutawayNutAndScale;
    if (p.taperType == TAPERTYPEBOARDWIDTH) {
        if (!positive(p.boardWidthAtFret) || p.boardWidthFret <= 0)
            return Check::CutawayBoardWidth;
        return std::nullopt;
    }
    if (!positive(p.firstStringDiameter) || !positive(p.lastStringDiameter))
        return Check::CutawayStringDiameters;
    if (!positive(p.stringSetback))
        return Check::CutawayStringSetback;
    if (!positive(p.bridgeStringSpacing))
        return Check::CutawayStringSpacing;
    return std::nullopt;
}

class CutawayBuilder {
  public:
    CutawayBuilder(const DesignParameters& p, const BodyOutline& body) : p_(p), body_(body) {}

    CutawaySolution build();

  private:
    MaybeProblem solve();
    MaybeProblem florentine();
    MaybeProblem venetian();
    bool solvedFinite() const {
        return allFinite(c_.taperWidth, c_.edgeTop.x, c_.edgeTop.y, c_.edgeBottom.x,
                         c_.edgeBottom.y, c_.floorEnd.x, c_.floorEnd.y, c_.widthPoint.x,
                         c_.widthPoint.y, c_.pointCentre.x, c_.pointCentre.y, c_.pointRadius,
                         c_.pointAngleAtC, c_.pointAngleAtTangent, c_.arcCentre.x, c_.arcCentre.y,
                         c_.arcRadius, c_.arcStartAngle, c_.arcEndAngle);
    }

    const DesignParameters& p_;
    const BodyOutline& body_;
    CutawayGeometry c_;
    CutawayConstruction aids_;
    Point b0_;  // the inner edge's construction point at the depth
};

CutawaySolution CutawayBuilder::build() {
    CutawaySolution solution;
    solution.problem = solve();
    solution.geometry = c_;
    solution.construction = aids_;
    return solution;
}

MaybeProblem CutawayBuilder::solve() {
    if (std::optional<Check> check = parameterProblem(p_))
        return problemOf(*check);

    const float S = p_.scaleLength, N = p_.nutWidth, L = p_.bodyLength;
    computeTaper(p_, c_.taperWidth, c_.taperFret);
    float k = static_cast<float>(((static_cast<double>(c_.taperWidth) - N) / 2.0) /
                                 (S - S / std::pow(2.0, c_.taperFret / 12.0)));

    // The fingerboard's treble edge moved out by the side offset, from fret J
    // on the neck end of the body down to the cutaway's depth.
    // A fanned board's treble edge: the nut lies its scale above its saddle,
    // and fret J's crossing of the centre line on the neck end.
    float dJ = static_cast<float>(S - fanScales(p_).crossingAboveTrebleSaddle(p_.neckJoinsAtFret));
    const Point a0 = {
        static_cast<float>((static_cast<double>(dJ) * k + N / 2.0) + p_.cutawaySideOffset), L};
    b0_ = {static_cast<float>(((static_cast<double>(dJ) + p_.cutawayDepth) * k + N / 2.0) +
                              p_.cutawaySideOffset),
           static_cast<float>(static_cast<double>(L) - p_.cutawayDepth)};
    c_.edgeBottom = b0_;
    aids_.edge = Segment{a0, b0_};

    // Also catches coincident points (-1), and an edge that overflows (a taper
    // over a vanishing scale length, an enormous depth) is no taper either.
    float theta = angleTo(b0_, a0);
    if (!(theta > HALF_PI) || !allFinite(k, a0.x, b0_.x, b0_.y))
        return problemOf(Check::CutawayTaper, taperFields(p_));

    c_.floorEnd = {
        static_cast<float>(static_cast<double>(body_.upperBoutArc.cx) + body_.upperBoutArc.r),
        b0_.y};
    aids_.floor = Segment{b0_, c_.floorEnd};

    Point a;
    UpperOutlinePart edgeHit = intersectUpperOutline(body_, p_, {a0, b0_}, a);
    if (edgeHit == UPPER_NONE)
        return problemOf(Check::CutawayOffsetTooLarge);
    c_.edgeTop = a;
    c_.edgeHit = edgeHit;

    float cx = static_cast<float>(static_cast<double>(a.x) + p_.cutawayWidth);
    aids_.width = Segment{{cx, L}, {cx, body_.upperBoutArc.cy}};
    Point hit;
    UpperOutlinePart widthHit =
        allFinite(cx) ? intersectUpperOutline(body_, p_, {{cx, L}, {cx, 0.0f}}, hit) : UPPER_NONE;
    if (widthHit == UPPER_NONE)
        return problemOf(Check::CutawayWidthTooLarge);
    c_.widthPoint = hit;
    c_.widthHit = widthHit;
    aids_.widthPoint = hit;

    if (auto problem = p_.cutawayType == CUTAWAYTYPEFLORENTINE ? florentine() : venetian())
        return problem;
    // A valley radius that is not a number, or sizes so large that the arcs
    // overflow, must not reach the drawing, its labels or the export.
    if (!solvedFinite())
        return problemOf(Check::CutawayNotFinite);
    return std::nullopt;
}

MaybeProblem CutawayBuilder::florentine() {
    const TangentArc found = tangentArcPLL(c_.edgeTop, b0_, c_.floorEnd, c_.widthPoint);
    if (!found.found)
        return problemOf(Check::CutawayArcNotFound);

    const Point o = found.centre, t = found.touch;
    c_.arcCentre = o;
    c_.arcRadius = distance(o, t);
    c_.arcStartAngle = angleTo(o, t);
    c_.arcEndAngle = angleTo(o, c_.widthPoint);
    aids_.arc = Circle{o, c_.arcRadius};

    if (t.y > c_.edgeTop.y)
        return problemOf(Check::CutawayTooShallow);
    if (b0_.y > (static_cast<double>(o.y) - c_.arcRadius) + 0.00001)
        return problemOf(Check::CutawayTooDeep);
    c_.edgeBottom = t;
    return std::nullopt;
}

MaybeProblem CutawayBuilder::venetian() {
    const float rv = p_.cutawayValleyRadius, rp = p_.cutawayPointRadius;
    if (rp == 0.0f)
        return problemOf(Check::VenetianPointRadiusZero);
    if (c_.widthHit == UPPER_NECK_FLAT)
        return problemOf(Check::CutawayWidthTooSmall);
    if (c_.widthHit == UPPER_SHOULDER && body_.shoulderArc.r > 0.0f && rp > body_.shoulderArc.r)
        return problemOf(Check::VenetianPointRadiusTooLarge);
    if (c_.widthHit == UPPER_BOUT_ARC && rp > body_.upperBoutArc.r)
        return problemOf(Check::VenetianPointRadiusTooLarge);

    // Valley: the circle of radius rv in the corner between the inner edge and
    // the floor line, its centre on the corner's bisector.
    c_.arcRadius = rv;
    float theta = angleTo(b0_, c_.edgeTop);
    const Point q = pointOnCircle({b0_, 1.0f}, static_cast<float>(theta / 2.0));
    float raised = static_cast<float>(static_cast<double>(b0_.y) + rv);
    Point o = {b0_.x, raised};  // kept if the floor line has no length
    intersectSegments(
        {b0_, q},
        {{b0_.x, raised},
         {c_.floorEnd.x, static_cast<float>(static_cast<double>(c_.floorEnd.y) + rv)}},
        o);
    c_.arcCentre = o;
    c_.arcStartAngle = static_cast<float>(theta + HALF_PI);
    const Point t1 = pointOnCircle({o, rv}, c_.arcStartAngle);
    aids_.arc = Circle{o, rv};
    if (t1.y > c_.edgeTop.y)
        return problemOf(Check::VenetianValleyRadiusTooLarge);
    c_.edgeBottom = t1;
    c_.pointRadius = rp;

    // Point: the circle of radius rp that touches the outline at C from inside.
    const Point c = c_.widthPoint;
    Point pc;
    if (c_.widthHit == UPPER_SHOULDER && !(body_.shoulderArc.r > 0.0f)) {
        c_.pointAngleAtC = static_cast<float>(HALF_PI);
        pc = {c.x, static_cast<float>(static_cast<double>(c.y) - rp)};
    } else {
        const OutlineArc& arc =
            c_.widthHit == UPPER_SHOULDER ? body_.shoulderArc : body_.upperBoutArc;
        float phi = angleTo(arc.centre(), c);
        float psi = static_cast<float>(static_cast<double>(phi) + PI_SINGLE);
        if (psi > FULL_TURN)
            psi = static_cast<float>(psi - FULL_TURN);
        pc = pointOnCircle({c, rp}, psi);
        c_.pointAngleAtC = phi;
    }
    c_.pointCentre = pc;
    aids_.point = Circle{pc, rp};

    if (distance(o, pc) <= static_cast<double>(rp) + rv)
        return problemOf(Check::VenetianArcsOverlap);

    const Segment tangent = crossTangent({o, rv}, {pc, rp}, -1);
    c_.arcEndAngle = angleTo(o, tangent.from);
    c_.pointAngleAtTangent = angleTo(pc, tangent.to);
    return std::nullopt;
}

}  // namespace

CutawaySolution solveCutaway(const DesignParameters& p, const BodyOutline& body) {
    return CutawayBuilder(p, body).build();
}

}  // namespace bowlyn

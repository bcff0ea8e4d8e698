#include "geometry/cutaway.h"

#include <cmath>

#include "geometry/document.h"
#include "geometry/neck.h"
#include "geometry/primitives.h"
#include "geometry/value_checks.h"
#include "model/field_table.h"
#include "render/view_transform.h"

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
    explicit CutawayBuilder(Document& doc)
        : doc_(doc), p_(doc.params), body_(doc.outline), c_(doc.outline.cutaway) {}

    MaybeProblem build();

  private:
    bool aids() const { return doc_.finalDrawing == 0; }
    void aidLine(float x1, float y1, float x2, float y2) {
        if (aids())
            doc_.drawing.drawLine(styleConstruction, x1, y1, x2, y2, Side::AsPassed, Layer::None);
    }
    void aidCircle(float cx, float cy, float r) {
        if (!aids())
            return;
        doc_.drawing.drawCircle(styleConstruction, cx, cy, r, Side::AsPassed, Layer::None);
        aidCross(cx, cy);
    }
    void aidCross(float x, float y) {
        if (aids())
            doc_.drawing.drawPoint(styleConstruction, x, y, PointMarker::Cross, Side::AsPassed,
                                   Layer::None);
    }

    MaybeProblem florentine();
    MaybeProblem venetian();
    bool solvedFinite() const {
        return allFinite(c_.taperWidth, c_.edgeTopX, c_.edgeTopY, c_.edgeBottomX, c_.edgeBottomY,
                         c_.floorEndX, c_.floorEndY, c_.widthPointX, c_.widthPointY,
                         c_.pointCentreX, c_.pointCentreY, c_.pointRadius, c_.pointAngleAtC,
                         c_.pointAngleAtTangent, c_.arcCentreX, c_.arcCentreY, c_.arcRadius,
                         c_.arcStartAngle, c_.arcEndAngle);
    }

    Document& doc_;
    const DesignParameters& p_;
    const BodyOutline& body_;
    CutawayGeometry& c_;
    float b0x_ = 0, b0y_ = 0;  // the inner edge's construction point at the depth
};

MaybeProblem CutawayBuilder::build() {
    c_ = CutawayGeometry();  // nothing of an earlier pass carries over
    if (std::optional<Check> check = parameterProblem(p_))
        return problemOf(*check);

    const float S = p_.scaleLength, N = p_.nutWidth, L = p_.bodyLength;
    computeTaper(p_, c_.taperWidth, c_.taperFret);
    float k = static_cast<float>(((static_cast<double>(c_.taperWidth) - N) / 2.0) /
                                 (S - S / std::pow(2.0, c_.taperFret / 12.0)));

    // The fingerboard edge moved out by the side offset, from fret J on the
    // neck end of the body down to the cutaway's depth.
    float dJ = static_cast<float>(S - S / std::pow(2.0, p_.neckJoinsAtFret / 12.0));
    float a0x = static_cast<float>((static_cast<double>(dJ) * k + N / 2.0) + p_.cutawaySideOffset);
    float a0y = L;
    b0x_ = static_cast<float>(((static_cast<double>(dJ) + p_.cutawayDepth) * k + N / 2.0) +
                              p_.cutawaySideOffset);
    b0y_ = static_cast<float>(static_cast<double>(L) - p_.cutawayDepth);
    c_.edgeBottomX = b0x_;
    c_.edgeBottomY = b0y_;
    aidLine(a0x, a0y, b0x_, b0y_);

    // Also catches coincident points (-1), and an edge that overflows (a taper
    // over a vanishing scale length, an enormous depth) is no taper either.
    float theta = angleTo(b0x_, b0y_, a0x, a0y);
    if (!(theta > HALF_PI) || !allFinite(k, a0x, b0x_, b0y_))
        return problemOf(Check::CutawayTaper, taperFields(p_));

    c_.floorEndX =
        static_cast<float>(static_cast<double>(body_.upperBoutArc.cx) + body_.upperBoutArc.r);
    c_.floorEndY = b0y_;
    aidLine(b0x_, b0y_, c_.floorEndX, c_.floorEndY);

    float ax = 0, ay = 0;
    UpperOutlinePart edgeHit = intersectUpperOutline(doc_, a0x, a0y, b0x_, b0y_, ax, ay);
    if (edgeHit == UPPER_NONE)
        return problemOf(Check::CutawayOffsetTooLarge);
    c_.edgeTopX = ax;
    c_.edgeTopY = ay;
    c_.edgeHit = edgeHit;

    float cx = static_cast<float>(static_cast<double>(ax) + p_.cutawayWidth);
    aidLine(cx, L, cx, body_.upperBoutArc.cy);
    float hitX = 0, hitY = 0;
    UpperOutlinePart widthHit =
        allFinite(cx) ? intersectUpperOutline(doc_, cx, L, cx, 0.0f, hitX, hitY) : UPPER_NONE;
    if (widthHit == UPPER_NONE)
        return problemOf(Check::CutawayWidthTooLarge);
    c_.widthPointX = hitX;
    c_.widthPointY = hitY;
    c_.widthHit = widthHit;
    aidCross(hitX, hitY);

    if (auto problem = p_.cutawayType == CUTAWAYTYPEFLORENTINE ? florentine() : venetian())
        return problem;
    // A valley radius that is not a number, or sizes so large that the arcs
    // overflow, must not reach the drawing, its labels or the export.
    if (!solvedFinite())
        return problemOf(Check::CutawayNotFinite);
    return std::nullopt;
}

MaybeProblem CutawayBuilder::florentine() {
    float ox = 0, oy = 0, tx = 0, ty = 0;
    int32_t status = 0;
    tangentArcPLL(c_.edgeTopX, c_.edgeTopY, b0x_, b0y_, c_.floorEndX, c_.floorEndY, c_.widthPointX,
                  c_.widthPointY, ox, oy, tx, ty, status);
    if (status == 0)
        return problemOf(Check::CutawayArcNotFound);

    c_.arcCentreX = ox;
    c_.arcCentreY = oy;
    c_.arcRadius = distance(ox, oy, tx, ty);
    c_.arcStartAngle = angleTo(ox, oy, tx, ty);
    c_.arcEndAngle = angleTo(ox, oy, c_.widthPointX, c_.widthPointY);
    aidCircle(ox, oy, c_.arcRadius);

    if (ty > c_.edgeTopY)
        return problemOf(Check::CutawayTooShallow);
    if (b0y_ > (static_cast<double>(oy) - c_.arcRadius) + 0.00001)
        return problemOf(Check::CutawayTooDeep);
    c_.edgeBottomX = tx;
    c_.edgeBottomY = ty;
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
    float theta = angleTo(b0x_, b0y_, c_.edgeTopX, c_.edgeTopY);
    float qx = 0, qy = 0;
    pointOnCircle(b0x_, b0y_, 1.0f, static_cast<float>(theta / 2.0), qx, qy);
    float raised = static_cast<float>(static_cast<double>(b0y_) + rv);
    float ox = b0x_, oy = raised;  // kept if the floor line has no length
    int32_t status = 0;
    intersectSegments(b0x_, b0y_, qx, qy, b0x_, raised, c_.floorEndX,
                      static_cast<float>(static_cast<double>(c_.floorEndY) + rv), status, ox, oy);
    c_.arcCentreX = ox;
    c_.arcCentreY = oy;
    c_.arcStartAngle = static_cast<float>(theta + HALF_PI);
    float t1x = 0, t1y = 0;
    pointOnCircle(ox, oy, rv, c_.arcStartAngle, t1x, t1y);
    aidCircle(ox, oy, rv);
    if (t1y > c_.edgeTopY)
        return problemOf(Check::VenetianValleyRadiusTooLarge);
    c_.edgeBottomX = t1x;
    c_.edgeBottomY = t1y;
    c_.pointRadius = rp;

    // Point: the circle of radius rp that touches the outline at C from inside.
    const float cx = c_.widthPointX, cy = c_.widthPointY;
    float px = 0, py = 0;
    if (c_.widthHit == UPPER_SHOULDER && !(body_.shoulderArc.r > 0.0f)) {
        c_.pointAngleAtC = static_cast<float>(HALF_PI);
        px = cx;
        py = static_cast<float>(static_cast<double>(cy) - rp);
    } else {
        const OutlineArc& arc =
            c_.widthHit == UPPER_SHOULDER ? body_.shoulderArc : body_.upperBoutArc;
        float phi = angleTo(arc.cx, arc.cy, cx, cy);
        float psi = static_cast<float>(static_cast<double>(phi) + PI_SINGLE);
        if (psi > FULL_TURN)
            psi = static_cast<float>(psi - FULL_TURN);
        pointOnCircle(cx, cy, rp, psi, px, py);
        c_.pointAngleAtC = phi;
    }
    c_.pointCentreX = px;
    c_.pointCentreY = py;
    aidCircle(px, py, rp);

    if (distance(ox, oy, px, py) <= static_cast<double>(rp) + rv)
        return problemOf(Check::VenetianArcsOverlap);

    float ux = 0, uy = 0, vx = 0, vy = 0;
    crossTangent(ox, oy, rv, px, py, rp, -1, ux, uy, vx, vy);
    c_.arcEndAngle = angleTo(ox, oy, ux, uy);
    c_.pointAngleAtTangent = angleTo(px, py, vx, vy);
    return std::nullopt;
}

// Draws the right-hand upper outline of one record around the cutaway.
class CutawaySide {
  public:
    CutawaySide(Document& doc, const OutlineRecord& rec, const StrokeStyle& style, Layer layer)
        : d_(doc.drawing),
          r_(rec),
          o_(rec.outline),
          c_(rec.outline.cutaway),
          s_(style),
          layer_(layer) {}

    void drawCutaway();
    void drawTowardNeck();
    void drawTowardWaist();

  private:
    bool hasFlat() const { return r_.neckFlatHalfLength > 0.0f; }
    bool hasShoulderArc() const { return r_.upperBoutOffset > 0.0f; }
    float shoulderOuterX() const {
        return static_cast<float>(static_cast<double>(r_.upperBoutHalfWidth) - r_.upperBoutRadius);
    }
    void line(float x1, float y1, float x2, float y2) {
        d_.drawLine(s_, x1, y1, x2, y2, Side::AsPassed, layer_);
    }
    void arc(const OutlineArc& a, float from, float to) {
        d_.drawArc(s_, a.cx, a.cy, a.r, from, to, Side::AsPassed, layer_);
    }
    void wholeFlat() {
        if (hasFlat())
            line(o_.neckFlat.x1, o_.neckFlat.y1, o_.neckFlat.x2, o_.neckFlat.y2);
    }
    // The straight shoulder between two x values, at the height of the neck end.
    void shoulderLine(float x1, float x2) { line(x1, o_.shoulderArc.cy, x2, o_.shoulderArc.cy); }
    void wholeShoulder() {
        if (hasShoulderArc())
            arc(o_.shoulderArc, o_.shoulderArc.start, o_.shoulderArc.end);
        else
            shoulderLine(o_.shoulderArc.cx, shoulderOuterX());
    }
    void wholeUpperBout() { arc(o_.upperBoutArc, o_.upperBoutArc.start, o_.upperBoutArc.end); }
    float angleOn(const OutlineArc& a, float x, float y) const { return angleTo(a.cx, a.cy, x, y); }

    Drawing& d_;
    const OutlineRecord& r_;
    const BodyOutline& o_;
    const CutawayGeometry& c_;
    const StrokeStyle& s_;
    Layer layer_;
};

void CutawaySide::drawCutaway() {
    d_.drawArc(s_, c_.arcCentreX, c_.arcCentreY, c_.arcRadius, c_.arcStartAngle, c_.arcEndAngle,
               Side::AsPassed, layer_);
    line(c_.edgeTopX, c_.edgeTopY, c_.edgeBottomX, c_.edgeBottomY);
}

void CutawaySide::drawTowardNeck() {
    const float ax = c_.edgeTopX, ay = c_.edgeTopY;
    switch (c_.edgeHit) {
        case UPPER_NECK_FLAT:
            line(o_.neckFlat.x1, o_.neckFlat.y1, ax, ay);
            break;
        case UPPER_SHOULDER:
            wholeFlat();
            if (hasShoulderArc())
                arc(o_.shoulderArc, angleOn(o_.shoulderArc, ax, ay), o_.shoulderArc.end);
            else
                shoulderLine(o_.shoulderArc.cx, ax);
            break;
        case UPPER_BOUT_ARC:
            wholeFlat();
            wholeShoulder();
            arc(o_.upperBoutArc, angleOn(o_.upperBoutArc, ax, ay), o_.upperBoutArc.end);
            break;
        default:
            break;
    }
}

void CutawaySide::drawTowardWaist() {
    const float cx = c_.widthPointX, cy = c_.widthPointY;
    switch (c_.widthHit) {
        case UPPER_BOUT_ARC:
            arc(o_.upperBoutArc, o_.upperBoutArc.start, angleOn(o_.upperBoutArc, cx, cy));
            break;
        case UPPER_SHOULDER:
            wholeUpperBout();
            if (hasShoulderArc())
                arc(o_.shoulderArc, o_.shoulderArc.start, angleOn(o_.shoulderArc, cx, cy));
            else
                shoulderLine(cx, shoulderOuterX());
            break;
        case UPPER_NECK_FLAT:
            if (r_.cutawayType != CUTAWAYTYPEFLORENTINE)
                break;
            wholeUpperBout();
            wholeShoulder();
            line(cx, cy, o_.neckFlat.x2, o_.neckFlat.y2);
            break;
        default:
            break;
    }
}

}  // namespace

std::optional<Problem> buildCutaway(Document& doc) {
    if (doc.params.hasCutaway != 1)
        return std::nullopt;
    return CutawayBuilder(doc).build();
}

void drawCutawaySide(Document& doc, const OutlineRecord& record, const StrokeStyle& style,
                     Layer layer) {
    const CutawayGeometry& c = record.outline.cutaway;
    const bool venetian = record.cutawayType != CUTAWAYTYPEFLORENTINE;
    CutawaySide side(doc, record, style, layer);
    side.drawCutaway();

    if (venetian) {
        doc.drawing.drawArc(style, c.pointCentreX, c.pointCentreY, c.pointRadius, c.pointAngleAtC,
                            c.pointAngleAtTangent, Side::AsPassed, layer);
        float ux = 0, uy = 0, vx = 0, vy = 0;
        pointOnCircle(c.arcCentreX, c.arcCentreY, c.arcRadius, c.arcEndAngle, ux, uy);
        pointOnCircle(c.pointCentreX, c.pointCentreY, c.pointRadius, c.pointAngleAtTangent, vx, vy);
        doc.drawing.drawLine(style, ux, uy, vx, vy, Side::AsPassed, layer);
    }
    side.drawTowardNeck();
    side.drawTowardWaist();
}

}  // namespace bowlyn

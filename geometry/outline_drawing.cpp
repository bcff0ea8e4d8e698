#include "geometry/outline_drawing.h"

#include "geometry/body_outline.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

float single(double v) {
    return static_cast<float>(v);
}

void drawArc(Drawing& drawing, const StrokeStyle& style, const OutlineArc& a, Side side,
             Layer layer) {
    drawing.drawArc(style, a.cx, a.cy, a.r, a.start, a.end, side, layer);
}

void drawSegment(Drawing& drawing, const StrokeStyle& style, const OutlineSegment& s, Side side,
                 Layer layer) {
    drawing.drawLine(style, s.x1, s.y1, s.x2, s.y2, side, layer);
}

// Draws the right-hand upper outline of one record around the cutaway.
class CutawaySide {
  public:
    CutawaySide(Drawing& d, const OutlineRecord& rec, const StrokeStyle& style, Layer layer)
        : d_(d), r_(rec), o_(rec.outline), c_(rec.outline.cutaway), s_(style), layer_(layer) {}

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
    float angleOn(const OutlineArc& a, Point p) const { return angleTo(a.centre(), p); }

    Drawing& d_;
    const OutlineRecord& r_;
    const BodyOutline& o_;
    const CutawayGeometry& c_;
    const StrokeStyle& s_;
    Layer layer_;
};

void CutawaySide::drawCutaway() {
    const OutlineArc cut = c_.arc();
    arc(cut, cut.start, cut.end);
    line(c_.edgeTop.x, c_.edgeTop.y, c_.edgeBottom.x, c_.edgeBottom.y);
}

void CutawaySide::drawTowardNeck() {
    const Point a = c_.edgeTop;
    switch (c_.edgeHit) {
        case UPPER_NECK_FLAT:
            line(o_.neckFlat.x1, o_.neckFlat.y1, a.x, a.y);
            break;
        case UPPER_SHOULDER:
            wholeFlat();
            if (hasShoulderArc())
                arc(o_.shoulderArc, angleOn(o_.shoulderArc, a), o_.shoulderArc.end);
            else
                shoulderLine(o_.shoulderArc.cx, a.x);
            break;
        case UPPER_BOUT_ARC:
            wholeFlat();
            wholeShoulder();
            arc(o_.upperBoutArc, angleOn(o_.upperBoutArc, a), o_.upperBoutArc.end);
            break;
        default:
            break;
    }
}

void CutawaySide::drawTowardWaist() {
    const Point c = c_.widthPoint;
    switch (c_.widthHit) {
        case UPPER_BOUT_ARC:
            arc(o_.upperBoutArc, o_.upperBoutArc.start, angleOn(o_.upperBoutArc, c));
            break;
        case UPPER_SHOULDER:
            wholeUpperBout();
            if (hasShoulderArc())
                arc(o_.shoulderArc, o_.shoulderArc.start, angleOn(o_.shoulderArc, c));
            else
                shoulderLine(c.x, shoulderOuterX());
            break;
        case UPPER_NECK_FLAT:
            if (r_.cutawayType != CUTAWAYTYPEFLORENTINE)
                break;
            wholeUpperBout();
            wholeShoulder();
            line(c.x, c.y, o_.neckFlat.x2, o_.neckFlat.y2);
            break;
        default:
            break;
    }
}

void drawCutawaySide(Drawing& d, const OutlineRecord& record, const StrokeStyle& style,
                     Layer layer) {
    const CutawayGeometry& c = record.outline.cutaway;
    const bool venetian = record.cutawayType != CUTAWAYTYPEFLORENTINE;
    CutawaySide side(d, record, style, layer);
    side.drawCutaway();

    if (venetian) {
        const OutlineArc point = c.point();
        d.drawArc(style, point.cx, point.cy, point.r, point.start, point.end, Side::AsPassed,
                  layer);
        const Point u = pointOnCircle(c.arc().circle(), c.arcEndAngle);
        const Point v = pointOnCircle(point.circle(), c.pointAngleAtTangent);
        d.drawLine(style, u.x, u.y, v.x, v.y, Side::AsPassed, layer);
    }
    side.drawTowardNeck();
    side.drawTowardWaist();
}

// One record's outline: the current design's (with its sound hole) or the
// snapshot's (aligned at the neck end with the current body of length
// `alignAt`).
void drawRecord(Drawing& d, const OutlineRecord& rec, const SoundHole* hole, bool marks,
                float alignAt) {
    const bool current = hole != nullptr;
    const BodyOutline& o = rec.outline;
    const StrokeStyle& style = current ? styleOutline : styleSnapshot;
    const Layer layer = current ? Layer::Body : Layer::None;

    // The snapshot is aligned with the current body at the neck end.
    if (!current)
        d.alignY(alignAt, rec.bodyLength);

    // With a cutaway the computed half's upper part is drawn by the cutaway side.
    const Side s = rec.hasCutaway ? Side::MirrorOnly : Side::Both;

    if (rec.lowerBoutOffset > 0.0f) {
        if (marks) {
            d.drawPoint(styleConstruction, o.tailArc.cx, o.tailArc.cy, PointMarker::Cross,
                        Side::Both, Layer::None);
        }
        drawArc(d, style, o.tailArc, Side::Both, layer);
    } else {
        d.drawLine(style, 0.0f, 0.0f, o.tailArc.cx, 0.0f, Side::Both, layer);
    }

    drawSegment(d, style, o.lowerTangent, Side::Both, layer);
    if (rec.lowerBoutRadiusIncrement > 0.0f)
        drawArc(d, style, o.lowerBoutSecondaryArc, Side::Both, layer);
    drawArc(d, style, o.lowerBoutArc, Side::Both, layer);

    drawSegment(d, style, o.upperTangent, Side::Both, layer);
    drawArc(d, style, o.waistArc, Side::Both, layer);

    if (rec.upperBoutOffset > 0.0f) {
        if (marks) {
            d.drawPoint(styleConstruction, o.shoulderArc.cx, o.shoulderArc.cy, PointMarker::Cross,
                        Side::Both, Layer::None);
        }
        drawArc(d, style, o.shoulderArc, s, layer);
    } else {
        const float upperX =
            single(static_cast<double>(rec.upperBoutHalfWidth) - rec.upperBoutRadius);
        d.drawLine(style, o.shoulderArc.cx, o.shoulderArc.cy, upperX, o.shoulderArc.cy, s, layer);
    }

    if (rec.upperBoutRadiusIncrement > 0.0f)
        drawArc(d, style, o.upperBoutSecondaryArc, Side::Both, layer);
    drawArc(d, style, o.upperBoutArc, s, layer);

    if (rec.neckFlatHalfLength > 0.0f)
        drawSegment(d, style, o.neckFlat, s, layer);

    if (current && hole->r > 0.0f) {
        const SoundHole& h = *hole;
        d.drawCircle(styleOutline, h.x, h.y, h.r, Side::AsPassed, Layer::Body);
        d.drawPoint(styleOutline, h.x, h.y, PointMarker::Cross, Side::AsPassed, Layer::Body);
    }

    if (rec.hasCutaway)
        drawCutawaySide(d, rec, style, layer);

    d.endAlignY();
}

}  // namespace

void drawCurrentOutline(Drawing& d, const OutlineRecord& record, const SoundHole& hole,
                        bool marks) {
    drawRecord(d, record, &hole, marks, 0.0f);
}

void drawSnapshotOutline(Drawing& d, const OutlineRecord& snapshot, float bodyLength) {
    drawRecord(d, snapshot, nullptr, false, bodyLength);
}

}  // namespace bowlyn

#include "geometry/body_outline.h"

#include <algorithm>
#include <cmath>

#include "geometry/cutaway.h"
#include "geometry/document.h"
#include "geometry/primitives.h"
#include "model/unit_lengths.h"

namespace bowlyn {
namespace {

constexpr double PI = PI_SINGLE;
constexpr double TWO_PI = 2.0 * PI_SINGLE;

// More dots than this on each side would paint a grey wash rather than a
// grid, and a huge or tiny body would otherwise ask for billions of them.
constexpr double MAX_GRID_DOTS = 5000.0;
// A dot this far outside the image in pixels can no longer touch it.
constexpr double GRID_PIXEL_MARGIN = 8.0;

double sq(double v) {
    return std::pow(v, 2.0);
}

float single(double v) {
    return static_cast<float>(v);
}

// How many grid dots along an axis: one per whole model unit strictly inside
// `extent`, but none that would fall beyond `pixels` from the origin.
double gridCount(float extent, double scale, double pixels) {
    const float epsilon = 0.00001f;
    double count = std::floor(static_cast<double>(extent) - epsilon);
    if (scale > 0.0)
        count = std::min(count, std::floor((pixels + GRID_PIXEL_MARGIN) / scale) + 1.0);
    return count;
}

void drawGrid(Document& doc, float hLB, float L) {
    const ViewTransform& view = doc.drawing.view;
    const double scale = view.scaleX;
    const double columns = gridCount(hLB, scale, DRAWING_WIDTH - view.originX);
    const double rows = gridCount(L, scale, view.originY);
    if (!(columns >= 1.0 && rows >= 1.0 && columns * rows <= MAX_GRID_DOTS))
        return;
    const int nx = static_cast<int>(columns);
    const int ny = static_cast<int>(rows);
    for (int i = 1; i <= nx; ++i) {
        for (int j = 1; j <= ny; ++j) {
            doc.drawing.drawPoint(styleGrid, static_cast<float>(i), static_cast<float>(j),
                                  PointMarker::Bar, Side::Both, Layer::None);
        }
    }
}

void drawArc(Drawing& drawing, const StrokeStyle& style, const OutlineArc& a, Side side,
             Layer layer) {
    drawing.drawArc(style, a.cx, a.cy, a.r, a.start, a.end, side, layer);
}

void drawSegment(Drawing& drawing, const StrokeStyle& style, const OutlineSegment& s, Side side,
                 Layer layer) {
    drawing.drawLine(style, s.x1, s.y1, s.x2, s.y2, side, layer);
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
        tail.end =
            angleTo(tail.cx, tail.cy, single(across), single(static_cast<double>(OLB) + RLB));
        return;
    }
    tail.end = single(tail.start + std::atan(across / rise));
    if (tail.end > TWO_PI)
        tail.end = single(tail.end - TWO_PI);
}

}  // namespace

OutlineRecord currentOutlineRecord(const Document& doc) {
    const DesignParameters& p = doc.params;
    OutlineRecord r;
    r.outline = doc.outline;
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

void drawReferenceGeometry(Document& doc) {
    const DesignParameters& p = doc.params;
    const float hLB = p.lowerBoutHalfWidth, L = p.bodyLength;
    Drawing& d = doc.drawing;

    drawGrid(doc, hLB, L);

    d.drawLine(styleBoundingBox, 0.0f, 0.0f, hLB, 0.0f, Side::Both, Layer::None);
    d.drawLine(styleBoundingBox, hLB, 0.0f, hLB, L, Side::Both, Layer::None);
    d.drawLine(styleBoundingBox, 0.0f, L, hLB, L, Side::Both, Layer::None);

    d.drawLine(styleCentreLine, 0.0f, -10.0f, 0.0f, single(L + 10.0), Side::AsPassed,
               Layer::Reflines);

    if (doc.finalDrawing != 0)
        return;
    // Proportions that bracket the upper bout and waist of traditional bodies.
    struct Guide {
        double x1, y1, x2, y2;
    };
    static const Guide guides[] = {
        {0.7299270072992701, 0.9, 0.7299270072992701, 0.7},
        {0.7936507936507936, 0.9, 0.7936507936507936, 0.7},
        {0.591715976331361, 0.68, 0.591715976331361, 0.55},
        {0.6802721088435374, 0.68, 0.6802721088435374, 0.55},
        {0.75, 0.591715976331361, 1.0, 0.591715976331361},
        {0.75, 0.6756756756756757, 1.0, 0.6756756756756757},
    };
    for (const Guide& g : guides) {
        d.drawLine(styleGuide, single(g.x1 * hLB), single(g.y1 * L), single(g.x2 * hLB),
                   single(g.y2 * L), Side::Both, Layer::None);
    }
}

namespace {

// A bout's width line at the height of its arcs, the primary circle and, with
// an increment, the secondary circle, each with a cross at its centre.
void boutConstruction(Drawing& d, float halfWidth, float radius, float increment, float y) {
    const float cx = single(static_cast<double>(halfWidth) - radius);
    d.drawLine(styleBoutLine, 0.0f, y, halfWidth, y, Side::Both, Layer::None);
    d.drawCircle(styleConstruction, cx, y, radius, Side::Both, Layer::None);
    d.drawPoint(styleConstruction, cx, y, PointMarker::Cross, Side::Both, Layer::None);
    if (increment > 0.0f) {
        const float cx2 = single(static_cast<double>(halfWidth) - radius - increment);
        d.drawCircle(styleConstruction, cx2, y, single(static_cast<double>(radius) + increment),
                     Side::Both, Layer::None);
        d.drawPoint(styleConstruction, cx2, y, PointMarker::Cross, Side::Both, Layer::None);
    }
}

}  // namespace

void lowerBoutConstruction(Document& doc) {
    const DesignParameters& p = doc.params;
    const float y = single(static_cast<double>(p.lowerBoutOffset) + p.lowerBoutRadius);
    boutConstruction(doc.drawing, p.lowerBoutHalfWidth, p.lowerBoutRadius,
                     p.lowerBoutRadiusIncrement, y);
}

void upperBoutConstruction(Document& doc) {
    const DesignParameters& p = doc.params;
    const float y =
        single(static_cast<double>(p.bodyLength) - p.upperBoutOffset - p.upperBoutRadius);
    boutConstruction(doc.drawing, p.upperBoutHalfWidth, p.upperBoutRadius,
                     p.upperBoutRadiusIncrement, y);
}

void waistConstruction(Document& doc) {
    const DesignParameters& p = doc.params;
    Drawing& d = doc.drawing;
    const float OW = p.waistOffset;
    const float cx = single(static_cast<double>(p.waistHalfWidth) + p.waistRadius);
    d.drawLine(styleBoutLine, 0.0f, OW, p.waistHalfWidth, OW, Side::Both, Layer::None);
    d.drawCircle(styleConstruction, cx, OW, p.waistRadius, Side::Both, Layer::None);
    d.drawPoint(styleConstruction, cx, OW, PointMarker::Cross, Side::Both, Layer::None);
}

void solveBodyOutline(Document& doc) {
    const DesignParameters& p = doc.params;
    BodyOutline& o = doc.outline;
    const float L = p.bodyLength;
    const float hLB = p.lowerBoutHalfWidth, RLB = p.lowerBoutRadius;
    const float dLB = p.lowerBoutRadiusIncrement, OLB = p.lowerBoutOffset;
    const float hUB = p.upperBoutHalfWidth, RUB = p.upperBoutRadius;
    const float dUB = p.upperBoutRadiusIncrement, OUB = p.upperBoutOffset;
    const float hW = p.waistHalfWidth, RW = p.waistRadius, OW = p.waistOffset;
    const float hNF = p.neckFlatHalfLength;

    const float waistX = single(static_cast<double>(hW) + RW);
    const float lowerX = single(static_cast<double>(hLB) - RLB);
    const float lowerY = single(static_cast<double>(OLB) + RLB);
    const float upperX = single(static_cast<double>(hUB) - RUB);
    const float upperY = single(static_cast<double>(L) - RUB - OUB);

    solveTailArc(p, o.tailArc);

    OutlineSegment& lt = o.lowerTangent;
    if (dLB > 0.0f) {
        OutlineArc& s = o.lowerBoutSecondaryArc;
        s.r = single(static_cast<double>(RLB) + dLB);
        s.cx = single(static_cast<double>(hLB) - s.r);
        s.cy = lowerY;
        s.start = 0.0f;
        crossTangent(s.cx, s.cy, s.r, waistX, OW, RW, -1, lt.x1, lt.y1, lt.x2, lt.y2);
        s.end = angleTo(s.cx, s.cy, lt.x1, lt.y1);
    } else {
        crossTangent(lowerX, lowerY, RLB, waistX, OW, RW, -1, lt.x1, lt.y1, lt.x2, lt.y2);
    }

    OutlineArc& lb = o.lowerBoutArc;
    lb.cx = lowerX;
    lb.cy = lowerY;
    lb.r = RLB;
    if (OLB > 0.0f) {
        float tx, ty;
        pointOnCircle(o.tailArc.cx, o.tailArc.cy, o.tailArc.r, o.tailArc.end, tx, ty);
        lb.start = angleTo(lb.cx, lb.cy, tx, ty);
    } else {
        lb.start = single(1.5 * PI);
    }
    lb.end = dLB > 0.0f ? 0.0f : angleTo(lb.cx, lb.cy, lt.x1, lt.y1);

    OutlineSegment& ut = o.upperTangent;
    if (dUB > 0.0f) {
        OutlineArc& s = o.upperBoutSecondaryArc;
        s.r = single(static_cast<double>(RUB) + dUB);
        s.cx = single(static_cast<double>(hUB) - s.r);
        s.cy = upperY;
        s.end = 0.0f;
        crossTangent(waistX, OW, RW, s.cx, s.cy, s.r, 1, ut.x1, ut.y1, ut.x2, ut.y2);
        s.start = angleTo(s.cx, s.cy, ut.x2, ut.y2);
    } else {
        crossTangent(waistX, OW, RW, upperX, upperY, RUB, 1, ut.x1, ut.y1, ut.x2, ut.y2);
    }

    OutlineArc& w = o.waistArc;
    w.cx = waistX;
    w.cy = OW;
    w.r = RW;
    w.start = angleTo(w.cx, w.cy, ut.x1, ut.y1);
    w.end = angleTo(w.cx, w.cy, lt.x2, lt.y2);

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
    ub.cx = upperX;
    ub.cy = upperY;
    ub.r = RUB;
    if (OUB > 0.0f) {
        float sx, sy;
        pointOnCircle(sh.cx, sh.cy, sh.r, sh.start, sx, sy);
        ub.end = angleTo(ub.cx, ub.cy, sx, sy);
    } else {
        ub.end = single(0.5 * PI);
    }
    ub.start = dUB > 0.0f ? 0.0f : angleTo(ub.cx, ub.cy, ut.x2, ut.y2);

    OutlineSegment& nf = o.neckFlat;
    if (hNF > 0.0f) {
        nf = {0.0f, L, hNF, L};
        if (doc.finalDrawing == 0) {
            const double k = neckFlatTickHalfLength(p.units);
            doc.drawing.drawLine(styleConstruction, hNF, single(L + k), hNF, single(L - k),
                                 Side::Both, Layer::None);
        }
    } else {
        nf = {0.0f, 0.0f, 0.0f, 0.0f};
    }
}

void drawOutline(Document& doc, OutlineWhich which) {
    const bool current = which == OutlineWhich::Current;
    if (!current && (doc.showSnapshot != 1 || doc.finalDrawing != 0))
        return;

    const OutlineRecord rec = current ? currentOutlineRecord(doc) : doc.snapshot;
    const BodyOutline& o = rec.outline;
    const StrokeStyle& style = current ? styleOutline : styleSnapshot;
    const Layer layer = current ? Layer::Body : Layer::None;
    const bool marks = current && doc.finalDrawing == 0;
    Drawing& d = doc.drawing;

    // The snapshot is aligned with the current body at the neck end.
    if (!current)
        d.alignY(doc.params.bodyLength, rec.bodyLength);

    // With a cutaway the computed half's upper part is drawn by the cutaway side.
    const Side s = rec.hasCutaway == 1 ? Side::MirrorOnly : Side::Both;

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

    if (current && doc.soundHole.r > 0.0f) {
        const SoundHole& h = doc.soundHole;
        d.drawCircle(styleOutline, h.x, h.y, h.r, Side::AsPassed, Layer::Body);
        d.drawPoint(styleOutline, h.x, h.y, PointMarker::Cross, Side::AsPassed, Layer::Body);
    }

    if (rec.hasCutaway == 1)
        drawCutawaySide(doc, rec, style, layer);

    d.endAlignY();
}

UpperOutlinePart intersectUpperOutline(const Document& doc, float x1, float y1, float x2, float y2,
                                       float& x, float& y) {
    const DesignParameters& p = doc.params;
    const BodyOutline& o = doc.outline;
    int32_t st = 0;

    if (p.neckFlatHalfLength > 0.0f) {
        const OutlineSegment& nf = o.neckFlat;
        float px = 0, py = 0;
        intersectSegments(x1, y1, x2, y2, nf.x1, nf.y1, nf.x2, nf.y2, st, px, py);
        if (st == 2 && px != nf.x2) {
            x = px;
            y = py;
            return UPPER_NECK_FLAT;
        }
    }

    const OutlineArc& sh = o.shoulderArc;
    if (p.upperBoutOffset > 0.0f) {
        float sx, sy, ex, ey, ax = 0, ay = 0, bx = 0, by = 0;
        pointOnCircle(sh.cx, sh.cy, sh.r, sh.start, sx, sy);
        pointOnCircle(sh.cx, sh.cy, sh.r, sh.end, ex, ey);
        intersectSegmentArc(sh.cx, sh.cy, sx, sy, ex, ey, x1, y1, x2, y2, st, ax, ay, bx, by);
        if (st == 0) {
            x = ax;
            y = ay;
            return UPPER_SHOULDER;
        }
    } else {
        const float upperX = single(static_cast<double>(p.upperBoutHalfWidth) - p.upperBoutRadius);
        float px = 0, py = 0;
        intersectSegments(x1, y1, x2, y2, sh.cx, sh.cy, upperX, sh.cy, st, px, py);
        if (st == 2 && px != upperX) {
            x = px;
            y = py;
            return UPPER_SHOULDER;
        }
    }

    const OutlineArc& ub = o.upperBoutArc;
    float sx, sy, ex, ey, ax = 0, ay = 0, bx = 0, by = 0;
    pointOnCircle(ub.cx, ub.cy, ub.r, ub.start, sx, sy);
    pointOnCircle(ub.cx, ub.cy, ub.r, ub.end, ex, ey);
    intersectSegmentArc(ub.cx, ub.cy, sx, sy, ex, ey, x1, y1, x2, y2, st, ax, ay, bx, by);
    if (st == 0) {
        x = ax;
        y = ay;
        return UPPER_BOUT_ARC;
    }
    if (st == 1) {
        const bool firstHigher = ay > by;
        x = firstHigher ? ax : bx;
        y = firstHigher ? ay : by;
        return UPPER_BOUT_ARC;
    }
    return UPPER_NONE;
}

}  // namespace bowlyn

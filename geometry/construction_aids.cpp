#include "geometry/construction_aids.h"

#include <algorithm>
#include <cmath>

#include "model/unit_lengths.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

// More dots than this on each side would paint a grey wash rather than a
// grid, and a huge or tiny body would otherwise ask for billions of them.
constexpr double MAX_GRID_DOTS = 5000.0;
// A dot this far outside the image in pixels can no longer touch it.
constexpr double GRID_PIXEL_MARGIN = 8.0;

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

void drawGrid(Drawing& d, float hLB, float L) {
    const ViewTransform& view = d.view;
    const double scale = view.scaleX;
    const double columns = gridCount(hLB, scale, DRAWING_WIDTH - view.originX);
    const double rows = gridCount(L, scale, view.originY);
    if (!(columns >= 1.0 && rows >= 1.0 && columns * rows <= MAX_GRID_DOTS))
        return;
    const int nx = static_cast<int>(columns);
    const int ny = static_cast<int>(rows);
    for (int i = 1; i <= nx; ++i) {
        for (int j = 1; j <= ny; ++j) {
            d.drawPoint(styleGrid, static_cast<float>(i), static_cast<float>(j), PointMarker::Bar,
                        Side::Both, Layer::None);
        }
    }
}

// A circle with a cross at its centre.
void constructionCircle(Drawing& d, const Circle& c, Side side) {
    d.drawCircle(styleConstruction, c.centre.x, c.centre.y, c.r, side, Layer::None);
    d.drawPoint(styleConstruction, c.centre.x, c.centre.y, PointMarker::Cross, side, Layer::None);
}

void constructionLine(Drawing& d, const Segment& s) {
    d.drawLine(styleConstruction, s.from.x, s.from.y, s.to.x, s.to.y, Side::AsPassed, Layer::None);
}

}  // namespace

void drawReferenceGeometry(Drawing& d, const DesignParameters& p, bool working) {
    const float hLB = p.lowerBoutHalfWidth, L = p.bodyLength;

    drawGrid(d, hLB, L);

    d.drawLine(styleBoundingBox, 0.0f, 0.0f, hLB, 0.0f, Side::Both, Layer::None);
    d.drawLine(styleBoundingBox, hLB, 0.0f, hLB, L, Side::Both, Layer::None);
    d.drawLine(styleBoundingBox, 0.0f, L, hLB, L, Side::Both, Layer::None);

    // On the reference layer, so that a paper template shows it, but never
    // exported: the fretboard records a centre line of its own.
    d.drawLine(styleCentreLine, 0.0f, -10.0f, 0.0f, single(L + 10.0), Side::AsPassed,
               Layer::Reflines, StrokeUse::Shown);

    if (!working)
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

void drawBoutConstruction(Drawing& d, float halfWidth, const BoutCircles& bout) {
    const float y = bout.primary.centre.y;
    d.drawLine(styleBoutLine, 0.0f, y, halfWidth, y, Side::Both, Layer::None);
    constructionCircle(d, bout.primary, Side::Both);
    if (bout.increment > 0.0f)
        constructionCircle(d, bout.secondary, Side::Both);
}

void drawWaistConstruction(Drawing& d, float halfWidth, const Circle& waist) {
    const float y = waist.centre.y;
    d.drawLine(styleBoutLine, 0.0f, y, halfWidth, y, Side::Both, Layer::None);
    constructionCircle(d, waist, Side::Both);
}

void drawNeckFlatTick(Drawing& d, const DesignParameters& p) {
    const float hNF = p.neckFlatHalfLength, L = p.bodyLength;
    if (!(hNF > 0.0f))
        return;
    const double k = neckFlatTickHalfLength(p.units);
    d.drawLine(styleConstruction, hNF, single(L + k), hNF, single(L - k), Side::Both, Layer::None);
}

void drawCutawayConstruction(Drawing& d, const CutawayConstruction& c) {
    for (const auto* line : {&c.edge, &c.floor, &c.width}) {
        if (*line)
            constructionLine(d, **line);
    }
    if (c.widthPoint) {
        d.drawPoint(styleConstruction, c.widthPoint->x, c.widthPoint->y, PointMarker::Cross,
                    Side::AsPassed, Layer::None);
    }
    for (const auto* circle : {&c.arc, &c.point}) {
        if (*circle)
            constructionCircle(d, **circle, Side::AsPassed);
    }
}

}  // namespace bowlyn

#include "geometry/fretboard.h"

#include <algorithm>
#include <cmath>

#include "geometry/neck.h"
#include "geometry/primitives.h"
#include "geometry/strings.h"
#include "geometry/value_checks.h"
#include "model/unit_lengths.h"
#include "render/drawing.h"

namespace bowlyn {

const std::array<FretMarker, 24> fretMarkerTable = {
    MARKER_NONE,   MARKER_NONE, MARKER_SINGLE, MARKER_NONE, MARKER_SINGLE, MARKER_NONE,
    MARKER_SINGLE, MARKER_NONE, MARKER_SINGLE, MARKER_NONE, MARKER_NONE,   MARKER_DOUBLE,
    MARKER_NONE,   MARKER_NONE, MARKER_SINGLE, MARKER_NONE, MARKER_SINGLE, MARKER_NONE,
    MARKER_SINGLE, MARKER_NONE, MARKER_SINGLE, MARKER_NONE, MARKER_NONE,   MARKER_DOUBLE,
};

namespace {

// The entry is held unsigned; a negative count must read as below 1.
int32_t signedFretCount(const DesignParameters& p) {
    return static_cast<int32_t>(p.fretCount);
}

std::optional<Check> taperProblem(const DesignParameters& p) {
    if (p.taperType == TAPERTYPEBOARDWIDTH) {
        if (!positive(p.boardWidthAtFret) || p.boardWidthFret <= 0)
            return Check::FretboardBoardWidth;
        return std::nullopt;
    }
    if (!positive(p.firstStringDiameter) || !positive(p.lastStringDiameter))
        return Check::FretboardStringDiameters;
    if (!positive(p.stringSetback))
        return Check::FretboardStringSetback;
    if (!positive(p.bridgeStringSpacing))
        return Check::FretboardStringSpacing;
    return std::nullopt;
}

std::optional<Check> boardProblem(const DesignParameters& p) {
    if (!positive(p.scaleLength))
        return Check::FretboardScaleLength;
    if (p.neckJoinsAtFret <= 0)
        return Check::FretboardJoinFret;
    int32_t frets = signedFretCount(p);
    if (frets < 1 || frets > MAX_FRET_COUNT)
        return Check::FretCount;
    if (!positive(p.fretboardThickness))
        return Check::FretboardThickness;
    if (!positive(p.nutWidth))
        return Check::FretboardNutWidth;
    if (!positive(p.nutThickness))
        return Check::NutThickness;
    return taperProblem(p);
}

std::optional<Check> fretwireProblem(const DesignParameters& p) {
    if (!positive(p.fretwireThickness))
        return Check::FretwireThickness;
    if (!positive(p.fretwireHeight))
        return Check::FretwireHeight;
    if (p.hasMarkers && !nonNegative(p.markerDiameter))
        return Check::MarkerDiameter;
    if (p.hasMarkers && !nonNegative(p.sideMarkerDiameter))
        return Check::SideMarkerDiameter;
    return std::nullopt;
}

// Never more frets than the checks allow, whatever the caller passed.
int32_t drawnFretCount(const DesignParameters& p) {
    return std::clamp(signedFretCount(p), 0, MAX_FRET_COUNT);
}

float half(float v) {
    return static_cast<float>(v / 2.0);
}
float plus(float a, double b) {
    return static_cast<float>(a + b);
}

// A line across the fingerboard at height y, edge to edge.
void fretLine(Drawing& d, const NeckGeometry& neck, float y, StrokeUse use) {
    float x = boardHalfWidthAt(neck, y);
    d.drawLine(styleOutline, -x, y, x, y, Side::AsPassed, Layer::Frets, use);
}

// The crown of the fretwire at fret height y in the side view: the arc through
// both edges of the wire that rises fretwireHeight above the board face.
void fretCrown(Drawing& d, const DesignParameters& p, float top, float y) {
    const double w = p.fretwireThickness, h = p.fretwireHeight;
    float radius = static_cast<float>((std::pow(w / 2.0, 2.0) + std::pow(h, 2.0)) / (2.0 * h));
    float cx = static_cast<float>(top + h - radius);
    float from = angleTo({cx, y}, {top, static_cast<float>(y - w / 2.0)});
    float to = angleTo({cx, y}, {top, static_cast<float>(y + w / 2.0)});
    d.drawArc(styleOutline, cx, y, radius, from, to, Side::AsPassed, Layer::Frets, RECORD_ONLY);
}

void drawSideView(Drawing& d, const DesignParameters& p, const NeckGeometry& neck, float yHead,
                  float yEnd) {
    const float nutY = neck.nutY;
    float sx = sideViewX(p);
    float top = plus(sx, p.fretboardThickness);
    float nutTop = plus(top, 2.0 * p.fretwireHeight);
    auto line = [&](float x1, float y1, float x2, float y2) {
        d.drawLine(styleOutline, x1, y1, x2, y2, Side::AsPassed, Layer::Fretboard, RECORD_ONLY);
    };
    line(sx, yHead, nutTop, yHead);
    line(sx, nutY, nutTop, nutY);
    line(nutTop, yHead, nutTop, nutY);
    line(sx, yHead, sx, yEnd);
    line(top, nutY, top, yEnd);
    line(sx, yEnd, top, yEnd);
}

void drawFrets(Drawing& d, const DesignParameters& p, const NeckGeometry& neck, int32_t count) {
    const double halfWire = p.fretwireThickness / 2.0;
    float top = plus(sideViewX(p), p.fretboardThickness);
    for (int32_t i = 1; i <= count; ++i) {
        float y = fretY(neck, p, i);
        fretLine(d, neck, y, StrokeUse::ShownAndRecorded);
        fretLine(d, neck, plus(y, halfWire), RECORD_ONLY);
        fretLine(d, neck, plus(y, -halfWire), RECORD_ONLY);
        fretCrown(d, p, top, y);
    }
}

// Draws the markers of one fret space.
class MarkerPainter {
  public:
    MarkerPainter(Drawing& pen, const DesignParameters& p, const NeckGeometry& neck,
                  const CourseLayout& courses)
        : p_(p),
          neck_(neck),
          courses_(courses),
          pen_(pen),
          sideX_(plus(sideViewX(p), p.fretboardThickness / 2.0)) {}

    void space(int32_t i, FretMarker marker) {
        float yPrev = fretY(neck_, p_, i - 1), yCur = fretY(neck_, p_, i);
        float ym = static_cast<float>(yPrev - (static_cast<double>(yPrev) - yCur) / 2.0);
        if (marker == MARKER_SINGLE) {
            cross(0.0f, ym, Side::AsPassed);
            circle(0.0f, ym, Side::AsPassed);
            sideDot(ym);
            sideCircle(ym);
        } else if (marker == MARKER_DOUBLE) {
            doubleDot(ym);
            // Each side dot sits just inside one of the two frets.
            double inset = 2.5 * p_.fretwireThickness;
            float y1 = plus(yPrev, -inset), y2 = plus(yCur, inset);
            sideDot(y1);
            sideDot(y2);
            sideCircle(y1);
            sideCircle(y2);
        }
    }

  private:
    void cross(float x, float y, Side side) {
        pen_.drawPoint(styleMarker, x, y, PointMarker::Cross, side, Layer::Fretboard);
    }
    void circle(float x, float y, Side side) {
        if (p_.markerDiameter > 0.0f)
            pen_.drawCircle(styleMarker, x, y, half(p_.markerDiameter), side, Layer::Fretboard);
    }
    void sideDot(float y) {
        pen_.drawPoint(styleMarker, sideX_, y, PointMarker::Bar, Side::AsPassed, Layer::Fretboard,
                       RECORD_ONLY);
    }
    void sideCircle(float y) {
        if (p_.sideMarkerDiameter > 0.0f)
            pen_.drawCircle(styleMarker, sideX_, y, half(p_.sideMarkerDiameter), Side::AsPassed,
                            Layer::Fretboard, RECORD_ONLY);
    }

    bool betweenOuterCourses() const {
        if (!p_.hasStrings)
            return false;
        int32_t per = p_.stringsPerCourse == 0 ? 1 : p_.stringsPerCourse;
        const CourseLayout& c = courses_;
        return static_cast<double>(p_.stringCount) / per > 2.0 && c.courseCount >= 2 &&
               c.courseCount <= MAX_STRINGS;
    }

    void doubleDot(float ym) {
        float xh = boardHalfWidthAt(neck_, ym);
        if (betweenOuterCourses()) {
            // In the middle of the gap between the two outermost courses.
            const CourseLayout& c = courses_;
            const float s = p_.stringSetback;
            float gap = courseGap(xh, c.courseCount, c.courseWidths, s, GAP_EQUAL);
            float xA =
                static_cast<float>((static_cast<double>(xh) - s - c.courseWidths[1]) - gap / 2.0);
            float xB = static_cast<float>(
                -((static_cast<double>(xh) - s - c.courseWidths[c.courseCount]) - gap / 2.0));
            for (float x : {xA, xB}) {
                circle(x, ym, Side::AsPassed);
                cross(x, ym, Side::AsPassed);
            }
            return;
        }
        // A fixed 3/16 inch inside the fingerboard edges.
        const double off = markerEdgeInset(p_.units);
        float x = 0.0f;
        if (p_.markerDiameter > 0.0f) {
            x = static_cast<float>(xh - off - p_.markerDiameter / 2.0);
            circle(x, ym, Side::Both);
        } else {
            x = static_cast<float>(xh - 2.0 * off);
        }
        cross(x, ym, Side::Both);
    }

    const DesignParameters& p_;
    const NeckGeometry& neck_;
    const CourseLayout& courses_;
    Drawing& pen_;
    float sideX_;
};

}  // namespace

FretboardTop fretboardTop(const DesignParameters& p, const NeckGeometry& neck) {
    FretboardTop top;
    top.yHead = plus(neck.nutY, p.nutThickness);
    top.xHead = boardHalfWidthAt(neck, top.yHead);
    const int32_t count = drawnFretCount(p);
    const float yLast = fretY(neck, p, count), yNext = fretY(neck, p, count + 1);
    top.yEnd = static_cast<float>(yLast - (static_cast<double>(yLast) - yNext) / 2.0);
    top.xEnd = boardHalfWidthAt(neck, top.yEnd);
    return top;
}

float sideViewX(const DesignParameters& p) {
    return plus(p.lowerBoutHalfWidth, 1.0);
}

std::optional<Problem> checkFretboard(const DesignParameters& p, NeckGeometry& neck) {
    if (!p.hasFretboard)
        return std::nullopt;
    if (std::optional<Check> check = boardProblem(p))
        return problemOf(*check);
    computeTaper(p, neck.taperWidth, neck.taperFret);
    if (std::optional<Check> check = fretwireProblem(p))
        return problemOf(*check);
    return std::nullopt;
}

void solveFretboardEdges(NeckGeometry& neck, const DesignParameters& p) {
    if (!p.hasFretboard)
        return;
    neck.nutHalfWidth = half(p.nutWidth);
    neck.bridgeHalfWidth = xAtY(neck.nutHalfWidth, neck.nutY, half(neck.taperWidth),
                                fretY(neck.bridgeY, p.scaleLength, neck.taperFret), neck.bridgeY);
}

void drawFretboard(Drawing& d, const DesignParameters& p, const NeckGeometry& neck) {
    if (!p.hasFretboard)
        return;
    const float t = referenceMarkLength(p.units);
    d.drawLine(styleReference, 0.0f, neck.nutY, t, neck.nutY, Side::Both, Layer::Reflines);
    d.drawLine(styleReference, 0.0f, neck.bridgeY, t, neck.bridgeY, Side::Both, Layer::Reflines);

    const FretboardTop top = fretboardTop(p, neck);
    d.drawLine(styleOutline, 0.0f, top.yHead, top.xHead, top.yHead, Side::Both, Layer::Fretboard);
    d.drawLine(styleOutline, 0.0f, top.yEnd, top.xEnd, top.yEnd, Side::Both, Layer::Fretboard);
    d.drawLine(styleOutline, top.xHead, top.yHead, top.xEnd, top.yEnd, Side::Both,
               Layer::Fretboard);
    d.drawLine(styleOutline, 0.0f, neck.nutY, neck.nutHalfWidth, neck.nutY, Side::Both,
               Layer::Fretboard);

    d.drawLine(styleCentreLine, 0.0f, -1.0f, 0.0f, plus(top.yHead, 1.0), Side::AsPassed,
               Layer::Reflines, RECORD_ONLY);
    drawSideView(d, p, neck, top.yHead, top.yEnd);
    drawFrets(d, p, neck, drawnFretCount(p));
}

void drawFretMarkers(Drawing& d, const DesignParameters& p, const NeckGeometry& neck,
                     const CourseLayout& courses) {
    if (!p.hasFretboard || !p.hasMarkers)
        return;
    int32_t n = std::clamp(signedFretCount(p), 0, static_cast<int32_t>(fretMarkerTable.size()));
    MarkerPainter painter(d, p, neck, courses);
    for (int32_t i = 1; i <= n; ++i) {
        FretMarker marker = fretMarkerTable[i - 1];
        if (marker != MARKER_NONE)
            painter.space(i, marker);
    }
}

}  // namespace bowlyn

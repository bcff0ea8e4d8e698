#include "geometry/fretboard.h"

#include <algorithm>
#include <cmath>

#include "geometry/fret_layout.h"
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

// The fan and the slots, checked only where an entry is not blank.
std::optional<Check> fanProblem(const DesignParameters& p, const NeckGeometry& neck) {
    if (!std::isnan(p.bassScaleLength) && !positive(p.bassScaleLength))
        return Check::BassScaleLength;
    if (!std::isnan(p.perpendicularFret) &&
        !(p.perpendicularFret >= 0.0f && p.perpendicularFret <= MAX_FRET_COUNT))
        return Check::PerpendicularFret;
    if (!std::isnan(p.fretSlotWidth) && !positive(p.fretSlotWidth))
        return Check::FretSlotWidth;
    if (!std::isnan(p.fretSlotInset) &&
        !(nonNegative(p.fretSlotInset) &&
          2.0 * p.fretSlotInset < shortestFretLength(p, neck.taperWidth, neck.taperFret)))
        return Check::FretSlotInset;
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

bool mirrors(Point bass, Point treble) {
    return bass.x == -treble.x && bass.y == treble.y;
}

// A line across the board from a point on the bass side to one on the
// treble side. A square one is drawn as the board has always drawn it, from
// the centre line out and mirrored; a slanted one as one line.
void acrossBoard(Drawing& d, const StrokeStyle& style, Point bass, Point treble, Layer layer,
                 StrokeUse use = StrokeUse::ShownAndRecorded) {
    if (mirrors(bass, treble))
        d.drawLine(style, 0.0f, treble.y, treble.x, treble.y, Side::Both, layer, use);
    else
        d.drawLine(style, bass.x, bass.y, treble.x, treble.y, Side::AsPassed, layer, use);
}

// A line on the treble side and its counterpart on the bass side: one stroke
// and its mirror image while the bass one mirrors it, else both as they are.
void pairedLine(Drawing& d, const StrokeStyle& style, Segment treble, Segment bass, Layer layer) {
    if (mirrors(bass.from, treble.from) && mirrors(bass.to, treble.to)) {
        d.drawLine(style, treble.from.x, treble.from.y, treble.to.x, treble.to.y, Side::Both,
                   layer);
        return;
    }
    for (const Segment& s : {treble, bass})
        d.drawLine(style, s.from.x, s.from.y, s.to.x, s.to.y, Side::AsPassed, layer);
}

// The line through a line's two points, cut at x = -reach and x = reach.
Segment across(Point bass, Point treble, float reach) {
    return {{-reach, yAcross(bass, treble, -reach)}, {reach, yAcross(bass, treble, reach)}};
}

// A reference mark through the nut's or the saddle's two ends, reaching the
// mark's length either side of the centre line.
void referenceMark(Drawing& d, Point bass, Point treble, float reach) {
    const Segment mark = across(bass, treble, reach);
    acrossBoard(d, styleReference, mark.from, mark.to, Layer::Reflines);
}

// Fret i across the fingerboard, edge to edge, each end `shift` along its edge.
void fretLine(Drawing& d, const NeckGeometry& neck, int32_t i, double shift, StrokeUse use) {
    const Point bass = bassEdgeAt(neck, plus(fretY(neck.bass, i), shift));
    const Point treble = trebleEdgeAt(neck, plus(fretY(neck.treble, i), shift));
    d.drawLine(styleOutline, bass.x, bass.y, treble.x, treble.y, Side::AsPassed, Layer::Frets, use);
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

float midway(float a, float b) {
    return static_cast<float>((static_cast<double>(a) + b) / 2.0);
}

// The side view shows the board along its centre line: a fanned nut, end and
// fret at the height where it crosses it.
void drawSideView(Drawing& d, const DesignParameters& p, const NeckGeometry& neck,
                  const FretboardTop& board) {
    const float nutY = fretCentreY(neck, 0);
    const float yHead = midway(board.trebleHead.y, board.bassHead.y);
    const float yEnd = midway(board.trebleEnd.y, board.bassEnd.y);
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
        fretLine(d, neck, i, 0.0, StrokeUse::ShownAndRecorded);
        fretLine(d, neck, i, halfWire, RECORD_ONLY);
        fretLine(d, neck, i, -halfWire, RECORD_ONLY);
        fretCrown(d, p, top, fretCentreY(neck, i));
    }
}

// The middle of fret space i on one edge: half-way between its two frets.
float spaceMiddle(const NeckEdge& edge, int32_t i) {
    const float yPrev = fretY(edge, i - 1), yCur = fretY(edge, i);
    return static_cast<float>(yPrev - (static_cast<double>(yPrev) - yCur) / 2.0);
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
        // The middle of the space on each edge, and the line between them.
        const float yTreble = spaceMiddle(neck_.treble, i);
        const float yBass = spaceMiddle(neck_.bass, i);
        bassMiddle_ = bassEdgeAt(neck_, yBass);
        trebleMiddle_ = trebleEdgeAt(neck_, yTreble);
        const float ym = yAt(0.0f);
        if (marker == MARKER_SINGLE) {
            cross(0.0f, ym, Side::AsPassed);
            circle(0.0f, ym, Side::AsPassed);
            sideDot(ym);
            sideCircle(ym);
        } else if (marker == MARKER_DOUBLE) {
            doubleDot(boardHalfWidthAt(neck_.treble, yTreble), boardHalfWidthAt(neck_.bass, yBass));
            // Each side dot sits just inside one of the two frets.
            double inset = 2.5 * p_.fretwireThickness;
            float y1 = plus(fretCentreY(neck_, i - 1), -inset);
            float y2 = plus(fretCentreY(neck_, i), inset);
            sideDot(y1);
            sideDot(y2);
            sideCircle(y1);
            sideCircle(y2);
        }
    }

  private:
    float yAt(float x) const { return yAcross(bassMiddle_, trebleMiddle_, x); }
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

    // A dot each side at the edges' half-widths xt (treble) and xb (bass),
    // at the height of the space's middle line there.
    void doubleDot(float xt, float xb) {
        if (betweenOuterCourses()) {
            // In the middle of the gap between the two outermost courses.
            const CourseLayout& c = courses_;
            const float s = p_.stringSetback;
            float gap = courseGap(midway(xt, xb), c.courseCount, c.courseWidths, s, GAP_EQUAL);
            float xA =
                static_cast<float>((static_cast<double>(xt) - s - c.courseWidths[1]) - gap / 2.0);
            float xB = static_cast<float>(
                -((static_cast<double>(xb) - s - c.courseWidths[c.courseCount]) - gap / 2.0));
            for (float x : {xA, xB}) {
                circle(x, yAt(x), Side::AsPassed);
                cross(x, yAt(x), Side::AsPassed);
            }
            return;
        }
        // A fixed 3/16 inch inside the fingerboard edges.
        const double off = markerEdgeInset(p_.units);
        const bool hasCircle = p_.markerDiameter > 0.0f;
        auto inside = [&](float xh) {
            return static_cast<float>(hasCircle ? xh - off - p_.markerDiameter / 2.0
                                                : xh - 2.0 * off);
        };
        const Point treble = {inside(xt), yAt(inside(xt))};
        const Point bass = {-inside(xb), yAt(-inside(xb))};
        if (mirrors(bass, treble)) {
            if (hasCircle)
                circle(treble.x, treble.y, Side::Both);
            cross(treble.x, treble.y, Side::Both);
            return;
        }
        for (Point at : {treble, bass})
            circle(at.x, at.y, Side::AsPassed);
        for (Point at : {treble, bass})
            cross(at.x, at.y, Side::AsPassed);
    }

    const DesignParameters& p_;
    const NeckGeometry& neck_;
    const CourseLayout& courses_;
    Drawing& pen_;
    float sideX_;
    Point bassMiddle_, trebleMiddle_;
};

}  // namespace

FretboardTop fretboardTop(const DesignParameters& p, const NeckGeometry& neck) {
    const int32_t count = drawnFretCount(p);
    auto corners = [&](const NeckEdge& edge, float sign, Point& head, Point& end) {
        head.y = plus(edge.nutY, p.nutThickness);
        head.x = sign * boardHalfWidthAt(edge, head.y);
        end.y = spaceMiddle(edge, count + 1);  // half-way to where one more fret would lie
        end.x = sign * boardHalfWidthAt(edge, end.y);
    };
    FretboardTop top;
    corners(neck.treble, 1.0f, top.trebleHead, top.trebleEnd);
    corners(neck.bass, -1.0f, top.bassHead, top.bassEnd);
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
    if (std::optional<Check> check = fanProblem(p, neck))
        return problemOf(*check);
    return std::nullopt;
}

void solveFretboardEdges(NeckGeometry& neck, const DesignParameters& p) {
    if (!p.hasFretboard)
        return;
    for (NeckEdge* edge : {&neck.treble, &neck.bass}) {
        edge->nutHalfWidth = half(p.nutWidth);
        edge->bridgeHalfWidth = xAtY(edge->nutHalfWidth, edge->nutY, half(neck.taperWidth),
                                     fretY(*edge, neck.taperFret), edge->bridgeY);
    }
}

void drawFretboard(Drawing& d, const DesignParameters& p, const NeckGeometry& neck) {
    if (!p.hasFretboard)
        return;
    const float t = referenceMarkLength(p.units);
    const Point bassNut = {-neck.bass.nutHalfWidth, neck.bass.nutY};
    const Point trebleNut = {neck.treble.nutHalfWidth, neck.treble.nutY};
    referenceMark(d, bassNut, trebleNut, t);
    referenceMark(d, bassEdgeAt(neck, neck.bass.bridgeY), trebleEdgeAt(neck, neck.treble.bridgeY),
                  t);

    const FretboardTop top = fretboardTop(p, neck);
    acrossBoard(d, styleOutline, top.bassHead, top.trebleHead, Layer::Fretboard);
    acrossBoard(d, styleOutline, top.bassEnd, top.trebleEnd, Layer::Fretboard);
    pairedLine(d, styleOutline, {top.trebleHead, top.trebleEnd}, {top.bassHead, top.bassEnd},
               Layer::Fretboard);
    acrossBoard(d, styleOutline, bassNut, trebleNut, Layer::Fretboard);

    const float headReach = std::max(top.trebleHead.y, top.bassHead.y);
    d.drawLine(styleCentreLine, 0.0f, -1.0f, 0.0f, plus(headReach, 1.0), Side::AsPassed,
               Layer::Reflines, RECORD_ONLY);
    drawSideView(d, p, neck, top);
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

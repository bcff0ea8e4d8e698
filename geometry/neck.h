#pragma once

#include <cstdint>
#include <optional>

#include "geometry/pass_result.h"
#include "geometry/primitives.h"
#include "model/design_parameters.h"

namespace bowlyn {

class Drawing;

// Frets beyond this are refused: no instrument has them, and each one costs a
// few strokes in every pass.
constexpr int32_t MAX_FRET_COUNT = 99;

// One long edge of the fingerboard with the scale it carries: its nut and
// saddle (bridge) points lie `scale` apart along the centre line, and its
// straight edge runs through the nut width at the nut and the taper width at
// the taper fret. Half-widths are distances from the centre line; the bass
// edge lies at negative x.
struct NeckEdge {
    float scale = 0;
    float nutY = 0;
    float bridgeY = 0;
    float nutHalfWidth = 0;
    float bridgeHalfWidth = 0;  // the straight edge extended to the bridge line
};

// Where the neck lies: rebuilt on every pass. Each edge carries its own scale;
// with equal scales the two edges mirror each other and every fret, the nut
// and the bridge are square to the centre line.
struct NeckGeometry {
    float taperWidth = 0;  // fingerboard width at fret taperFret
    int32_t taperFret = 0;
    NeckEdge treble;  // string 1's side, positive x: "Scale length"
    NeckEdge bass;    // the last string's side, negative x: "Bass scale length"
};

// The strings grouped in courses, filled by the strings checks.
struct CourseLayout {
    int32_t courseCount = 0;
    float courseWidths[MAX_STRINGS + 1] = {};  // indexed 1 to 16
};

// The scales of the two edges in double precision. A fretboard whose
// "Bass scale length" is given (and usable) fans its frets: each edge's
// frets lie at its saddle plus its scale / 2^(n/12), and the saddles are
// placed so that the perpendicular fret's two ends share one y. Otherwise
// both edges carry "Scale length".
struct FanScales {
    double treble = 0, bass = 0;
    int32_t perpendicular = 12;
    bool fanned = false;

    // The bass saddle's y less the treble saddle's: (treble - bass) / 2^(P/12).
    double bassSaddleOffset() const;
    // How far fret n's crossing of the centre line lies above the treble
    // saddle. Both ends of a fret lie at the same fraction of their edge's
    // scale and so at the same distance from the centre line, which puts the
    // crossing half-way between their heights.
    double crossingAboveTrebleSaddle(int32_t n) const;
};
FanScales fanScales(const DesignParameters& p);
// The fret square to the centre line: "Perpendicular fret", 12 when blank.
double perpendicularFretValue(const DesignParameters& p);

// y of fret n (0 is the nut) on one edge: its bridge line plus scale / 2^(n/12).
float fretY(float bridgeY, float scaleLength, int32_t n);
float fretY(const NeckEdge& edge, int32_t n);
// Where fret n crosses the centre line: half-way between its two ends.
float fretCentreY(const NeckGeometry& neck, int32_t n);

// The fingerboard width and the fret it is measured at, from either taper
// choice. The string diameters of the string-spacing choice are always inches.
void computeTaper(const DesignParameters& p, float& width, int32_t& fret);

// Puts fret J on the neck end of the body (its crossing of the centre line)
// and fills both edges' scales, bridgeY and nutY; the problem of a bridge
// off the body at either edge, or none.
std::optional<Problem> placeNeck(const DesignParameters& p, NeckGeometry& neck);

// x at height y on the straight line through (x1, y1) and (x2, y2).
float xAtY(float x1, float y1, float x2, float y2, float y);
// Half-width of one edge of the fingerboard at height y.
float boardHalfWidthAt(const NeckEdge& edge, float y);
// The point of one edge at height y, the bass edge's at negative x.
Point trebleEdgeAt(const NeckGeometry& neck, float y);
Point bassEdgeAt(const NeckGeometry& neck, float y);

// y at x on the line through a point on the bass side and one on the treble
// side; exactly their y when they share it.
float yAcross(Point bass, Point treble, float x);

// The bridge line for a design without a fretboard.
void drawBridgeMark(Drawing& d, const DesignParameters& p, const NeckGeometry& neck);

}  // namespace bowlyn

#pragma once

#include <cstdint>
#include <optional>

#include "geometry/pass_result.h"
#include "model/design_parameters.h"

namespace bowlyn {

class Drawing;

// Where the neck lies: rebuilt on every pass.
struct NeckGeometry {
    float taperWidth = 0;  // fingerboard width at fret taperFret
    int32_t taperFret = 0;
    float nutHalfWidth = 0;
    float nutY = 0;
    float bridgeHalfWidth = 0;
    float bridgeY = 0;
};

// The strings grouped in courses, filled by the strings checks.
struct CourseLayout {
    int32_t courseCount = 0;
    float courseWidths[MAX_STRINGS + 1] = {};  // indexed 1 to 16
};

// y of fret n (0 is the nut): the bridge line plus S / 2^(n/12).
float fretY(float bridgeY, float scaleLength, int32_t n);
float fretY(const NeckGeometry& neck, const DesignParameters& p, int32_t n);

// The fingerboard width and the fret it is measured at, from either taper
// choice. The string diameters of the string-spacing choice are always inches.
void computeTaper(const DesignParameters& p, float& width, int32_t& fret);

// Puts fret J on the neck end of the body and fills bridgeY and nutY; the
// problem of a bridge off the body, or none.
std::optional<Problem> placeNeck(const DesignParameters& p, NeckGeometry& neck);

// x at height y on the straight line through (x1, y1) and (x2, y2).
float xAtY(float x1, float y1, float x2, float y2, float y);
// Half-width of the fingerboard's straight edge at height y.
float boardHalfWidthAt(const NeckGeometry& neck, float y);

// The bridge line for a design without a fretboard.
void drawBridgeMark(Drawing& d, const DesignParameters& p, const NeckGeometry& neck);

}  // namespace bowlyn

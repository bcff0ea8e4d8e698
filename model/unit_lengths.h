#pragma once

#include <cstdint>

#include "model/design_parameters.h"

namespace bowlyn {

// Lengths the drawing fixes in inches, in the design's own unit. Each value
// is written out for both units rather than converted, so that the drawing
// keeps the very numbers it has always recorded.

// 1 in = 2.54 cm, exactly.
constexpr double CM_PER_INCH = 2.54;

// Half the tick across the outer end of the neck flat: 1/8 inch.
constexpr double neckFlatTickHalfLength(DesignUnits units) {
    return units == UNITS_CM ? 0.3175 : 0.125;
}

// The nut and bridge reference marks, from the centre line: two inches.
constexpr float referenceMarkLength(DesignUnits units) {
    return units == UNITS_CM ? 5.08f : 2.0f;
}

// How far a double position marker sits inside the fingerboard's edge when the
// strings do not place it: 3/16 inch.
constexpr double markerEdgeInset(DesignUnits units) {
    return units == UNITS_CM ? 0.47625 : 0.1875;
}

// A string diameter entered in inches whatever the design's unit (the two
// diameters of the string-spacing taper), in the design's unit.
constexpr float inchDiameterInDesignUnits(float inches, DesignUnits units) {
    return units == UNITS_CM ? static_cast<float>(inches * CM_PER_INCH) : inches;
}

}  // namespace bowlyn

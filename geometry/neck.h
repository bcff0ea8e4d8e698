#pragma once

#include <cstdint>

#include "model/design_parameters.h"

namespace bowlyn {

struct Document;

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

}  // namespace bowlyn

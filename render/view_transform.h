#pragma once

#include <cstdint>

#include "model/angles.h"

namespace bowlyn {

constexpr int32_t DRAWING_WIDTH = 660;
constexpr int32_t DRAWING_HEIGHT = 660;

// Maps model units to whole pixels: x across from the centre line, y up from
// the tail end; pixel rows grow downward.
struct ViewTransform {
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    float originX = 0.0f;
    float originY = 0.0f;

    // Fits the body of length `length` and lower bout half width `halfWidth`
    // (both > 0) into the image with 20 pixels to spare.
    void fit(float length, float halfWidth);
    // Replaces model coordinates with pixel coordinates.
    void toPixel(float& x, float& y) const;
    // A radius in whole pixels.
    float toPixelLength(float r) const;
};

}  // namespace bowlyn

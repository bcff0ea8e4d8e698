#include "render/view_transform.h"

#include <algorithm>
#include <cmath>

namespace bowlyn {
namespace {

// Rounds to the nearest whole number with halves upward: 2.5 -> 3, -2.5 -> -2.
double roundHalfUp(double v) {
    return std::floor((v * 10.0 + 5.0) / 10.0);
}

}  // namespace

void ViewTransform::fit(float length, float halfWidth) {
    if (length > halfWidth) {
        scaleY = static_cast<float>(static_cast<double>(DRAWING_HEIGHT - 40) / length);
        scaleX = scaleY;
    } else {
        scaleX = static_cast<float>(static_cast<double>(DRAWING_WIDTH - 40) / halfWidth);
        scaleY = scaleX;
    }
    originX = static_cast<float>((DRAWING_WIDTH - 20) / 2.0);
    originY = static_cast<float>(DRAWING_HEIGHT - 20);
}

void ViewTransform::toPixel(float& x, float& y) const {
    double px = roundHalfUp(static_cast<double>(scaleX) * x) + originX;
    double py = originY - roundHalfUp(static_cast<double>(scaleY) * y);
    x = static_cast<float>(px);
    y = static_cast<float>(py);
}

float ViewTransform::toPixelLength(float r) const {
    return static_cast<float>(roundHalfUp(static_cast<double>(scaleX) * r));
}

}  // namespace bowlyn

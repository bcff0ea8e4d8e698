#pragma once

#include <cmath>

namespace bowlyn {

// Entries such as "1/0" or "0/0" read as inf or NaN; the checks treat them
// like a missing value, so each fails with its own field's message.
template <typename... T>
bool allFinite(T... v) {
    return (std::isfinite(v) && ...);
}
inline bool positive(float v) {
    return v > 0.0f && std::isfinite(v);
}
inline bool nonNegative(float v) {
    return v >= 0.0f && std::isfinite(v);
}

}  // namespace bowlyn

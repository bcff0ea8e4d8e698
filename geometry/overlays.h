#pragma once

#include <array>
#include <cstdint>

namespace bowlyn {

constexpr uint32_t TRANS_POINT_CAPACITY = 100;

// A point measured from an existing instrument, in model units.
struct TransPoint {
    double x = 0, y = 0;
};

}  // namespace bowlyn

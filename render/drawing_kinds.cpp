#include "render/drawing_kinds.h"

#include <cmath>

namespace bowlyn {
namespace {

constexpr const char* LAYER_NAMES[] = {"0", "reflines", "body", "fretboard", "frets", "strings"};
constexpr int NAMED_LAYERS = sizeof LAYER_NAMES / sizeof LAYER_NAMES[0];

}  // namespace

const char* layerName(Layer layer) {
    const auto number = static_cast<int32_t>(layer);
    return number >= 0 && number < NAMED_LAYERS ? LAYER_NAMES[number] : "";
}

const char* layerName(float recorded) {
    const float r = std::nearbyint(recorded);
    if (!(r >= 0.0f && r < NAMED_LAYERS))
        return "";
    return LAYER_NAMES[static_cast<int>(r)];
}

}  // namespace bowlyn

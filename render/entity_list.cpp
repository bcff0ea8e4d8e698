#include "render/entity_list.h"

#include <cmath>

namespace bowlyn {

void EntityList::add(const Entity& e) {
    // Anything recorded after the end marker belongs to a new, unfinished pass.
    ended_ = false;
    entities_.push_back(e);
}

const char* layerName(float layer) {
    static const char* const names[] = {"0", "reflines", "body", "fretboard", "frets", "strings"};
    float r = std::nearbyint(layer);
    if (!(r >= 0.0f && r <= 5.0f))
        return "";
    return names[static_cast<int>(r)];
}

}  // namespace bowlyn

#pragma once

#include <cstddef>
#include <vector>

namespace bowlyn {

constexpr float LAYER_NONE = 6.0f;  // painted only, never recorded

enum class EntityKind { End = 0, Point = 1, Line = 2, Arc = 3, Circle = 4 };

// One recorded entity in model units; arcs carry their angles in degrees.
struct Entity {
    float kind = 0;
    float layer = 0;
    float v[5] = {};
};

// The entities of the last drawing pass, in call order, for the DXF export.
// Grows as needed: nothing a pass records is ever dropped.
class EntityList {
  public:
    void reset() {
        entities_.clear();
        ended_ = false;
    }
    void add(const Entity& e);
    // Closes the list; the export reads the entities up to here.
    void end() { ended_ = true; }
    bool ended() const { return ended_; }
    const std::vector<Entity>& entities() const { return entities_; }
    size_t size() const { return entities_.size(); }

  private:
    std::vector<Entity> entities_;
    bool ended_ = false;
};

// DXF layer name of a recorded layer number (rounded): "0", "reflines", "body",
// "fretboard", "frets", "strings"; "" for any other number.
const char* layerName(float layer);

}  // namespace bowlyn

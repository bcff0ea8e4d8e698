#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "render/drawing_kinds.h"

namespace bowlyn {

// One recorded entity in model units; arcs carry their angles in degrees.
// Kind and layer are the values of EntityKind and Layer as floats.
struct Entity {
    float kind = 0;
    float layer = 0;
    float v[5] = {};
};

// The kind an entity records; nullopt for a value that names none (readers
// skip such entities rather than guess).
std::optional<EntityKind> recordedKind(const Entity& e);

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

}  // namespace bowlyn

#include "render/entity_list.h"

namespace bowlyn {

void EntityList::add(const Entity& e) {
    // Anything recorded after the end marker belongs to a new, unfinished pass.
    ended_ = false;
    entities_.push_back(e);
}

std::optional<EntityKind> recordedKind(const Entity& e) {
    // Compared as floats: a kind that is no small integer must not be cast.
    for (EntityKind kind : {EntityKind::End, EntityKind::Point, EntityKind::Line, EntityKind::Arc,
                            EntityKind::Circle}) {
        if (e.kind == entityKindValue(kind))
            return kind;
    }
    return std::nullopt;
}

}  // namespace bowlyn

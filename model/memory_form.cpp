#include "model/memory_form.h"

namespace bowlyn {
namespace {

const char* const radioGroups[][3] = {
    {"radiobuttonCutawayFlorentine", "radiobuttonCutawayVenetian", nullptr},
    {"radiobuttonCutawayWidthAtFret", "radiobuttonCutawayStringSpacing", nullptr},
    {"radiobuttonFretboardWidthAtFret", "radiobuttonFretboardStringSpacing", nullptr},
};

}  // namespace

const char* const* radioGroupOf(const std::string& widget) {
    for (const auto& group : radioGroups) {
        for (const char* const* m = group; *m; ++m) {
            if (widget == *m)
                return group;
        }
    }
    return nullptr;
}

MemoryForm::MemoryForm() {
    for (const auto& group : radioGroups)
        active_[group[0]] = true;
}

std::string MemoryForm::text(const std::string& widget) const {
    auto it = texts_.find(widget);
    return it == texts_.end() ? std::string() : it->second;
}

void MemoryForm::setText(const std::string& widget, const std::string& text) {
    texts_[widget] = text;
}

bool MemoryForm::active(const std::string& widget) const {
    auto it = active_.find(widget);
    return it != active_.end() && it->second;
}

void MemoryForm::setActive(const std::string& widget, bool on) {
    const char* const* group = radioGroupOf(widget);
    if (group) {
        // A radio button can only be switched off by switching on another one.
        if (!on)
            return;
        for (const char* const* m = group; *m; ++m)
            active_[*m] = false;
    }
    active_[widget] = on;
}

bool MemoryForm::visible(const std::string& widget) const {
    auto it = hidden_.find(widget);
    return it == hidden_.end() || !it->second;
}

void MemoryForm::setVisible(const std::string& widget, bool visible) {
    hidden_[widget] = !visible;
}

bool MemoryForm::sensitive(const std::string& widget) const {
    auto it = insensitive_.find(widget);
    return it == insensitive_.end() || !it->second;
}

void MemoryForm::setSensitive(const std::string& widget, bool sensitive) {
    insensitive_[widget] = !sensitive;
}

}  // namespace bowlyn

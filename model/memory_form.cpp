#include "model/memory_form.h"

#include "model/field_table.h"

namespace bowlyn {

MemoryForm::MemoryForm() {
    for (const Control& control : controls()) {
        if (control.kind == ControlKind::Radio && control.value == 0)
            active_[control.widget] = true;
    }
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
    const Control* control = controlNamed(widget);
    if (control && control->kind == ControlKind::Radio) {
        // A radio button can only be switched off by switching on the other
        // one of its pair.
        if (!on)
            return;
        active_[control->partner] = false;
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

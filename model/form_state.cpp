#include "model/form_state.h"

#include <cstring>

#include "model/design.h"
#include "model/form.h"
#include "model/form_editing.h"

namespace bowlyn {

namespace {

constexpr const char* ON = "1";
constexpr const char* OFF = "0";

}  // namespace

bool FormState::operator==(const FormState& other) const {
    // Bit for bit: every member is a 32-bit number, and NaN equals itself.
    return controls == other.controls && units == other.units &&
           std::memcmp(&params, &other.params, sizeof params) == 0;
}

FormState captureForm(const Design& design) {
    FormState state;
    state.controls.reserve(controls().size());
    for (const Control& c : controls()) {
        const bool isSwitch = c.kind == ControlKind::Check || c.kind == ControlKind::Radio;
        state.controls.push_back(isSwitch ? (design.form.active(c.widget) ? ON : OFF)
                                          : design.form.text(c.widget));
    }
    state.units = design.form.unitsIndex();
    state.params = design.params;
    return state;
}

void restoreForm(Design& design, const FormState& state) {
    const std::vector<Control>& all = controls();
    for (size_t i = 0; i < all.size() && i < state.controls.size(); ++i) {
        const Control& c = all[i];
        const std::string& value = state.controls[i];
        switch (c.kind) {
            case ControlKind::Text:
            case ControlKind::Entry:
                design.form.setText(c.widget, value);
                break;
            case ControlKind::Check:
                design.form.setActive(c.widget, value == ON);
                applySwitch(design, c.widget, value == ON);
                break;
            case ControlKind::Radio:
                // The first pair of a choice sets every pair, so the pairs
                // come back in order, each to its own button.
                if (value == ON) {
                    design.form.setActive(c.widget, true);
                    applySwitch(design, c.widget, true);
                }
                break;
        }
    }
    design.form.setUnitsIndex(state.units);
    applyUnits(design, state.units);
    design.params = state.params;
}

}  // namespace bowlyn

#include "model/form_editing.h"

#include <cfloat>
#include <cmath>

#include "model/form.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

float stepSize(StepClass stepClass, int units) {
    const bool inch = units == UNITS_INCH;
    switch (stepClass) {
        case StepClass::Fine:
            return static_cast<float>(inch ? 0.05 : 0.2);
        case StepClass::Medium:
            return static_cast<float>(inch ? 0.1 : 0.5);
        case StepClass::None:
        case StepClass::Coarse:
            break;
    }
    return static_cast<float>(inch ? 0.25 : 1.0);
}

// Shows the container of a choice's chosen radio button and hides its
// partner's.
void showChoice(Form& form, const Control& chosen) {
    form.setVisible(controlNamed(chosen.partner)->switched.front(), false);
    form.setVisible(chosen.switched.front(), true);
}

// Selects value 0 or 1 of a Choice field in every pair of its radio buttons.
void selectChoice(Design& design, int number, int value) {
    const FieldDef& def = field(number);
    setFieldFlag(design.params, number, value);
    for (size_t first = 0; first + 1 < def.widgets.size(); first += 2) {
        const Control& chosen = *controlNamed(def.widgets[first + value]);
        design.form.setActive(chosen.widget, true);
        showChoice(design.form, chosen);
    }
}

// Booleans and choices arrive as texts such as "1" or "1,TRUE": the leading
// number, rounded, is the flag.
int32_t flagFromText(const std::string& text) {
    return roundToInt32(readNumber(text));
}

}  // namespace

bool commitEntryWidget(Design& design, const std::string& widget) {
    const Control* control = controlNamed(widget);
    if (!control)
        return false;
    if (control->kind == ControlKind::Entry) {
        syncGroup(design, control->field, design.form.text(widget));
        return true;
    }
    return control->kind == ControlKind::Text;  // the name has no value to store
}

void commitFocusedEntry(Design& design) {
    const std::string name = design.form.focused();
    if (!name.empty())
        commitEntryWidget(design, name);
}

void syncGroup(Design& design, int number, const std::string& text) {
    const FieldDef& def = field(number);
    if (!isEntryKind(def.kind))
        return;
    storeFieldText(design.params, number, text);
    for (const auto& widget : def.widgets)
        design.form.setText(widget, text);
}

void applySwitch(Design& design, const std::string& widget, bool active) {
    const Control* control = controlNamed(widget);
    if (!control)
        return;
    if (control->kind == ControlKind::Check) {
        setFieldFlag(design.params, control->field, active ? 1 : 0);
        for (const std::string& container : control->switched)
            design.form.setSensitive(container, active);
        return;
    }
    // Radio buttons also report the click that switches them off.
    if (control->kind != ControlKind::Radio || !active)
        return;
    // The first pair selects the choice everywhere, a later one only in itself.
    const FieldDef& def = field(control->field);
    if (widget == def.widgets[0] || widget == def.widgets[1]) {
        selectChoice(design, control->field, control->value);
    } else {
        setFieldFlag(design.params, control->field, control->value);
        showChoice(design.form, *control);
    }
}

void applyUnits(Design& design, int index) {
    design.params.units = index;
    design.form.setText("labelUnits2", index == UNITS_INCH ? " " : "except as noted.");
    for (const Control& control : controls()) {
        if (control.designUnitCaption)
            design.form.setText(unitCaptionLabel(control.widget),
                                index == UNITS_INCH ? "in" : "cm");
    }
}

std::string stepValue(StepDirection direction, BelowZero belowZero, StepClass stepClass, int units,
                      const std::string& text) {
    const float step = stepSize(stepClass, units);
    float v = parseDimension(text);
    // Texts such as "0/0" or "1e39" have no finite value; stepping from 0 or
    // from the largest single keeps "nan" and "inf" out of the entry.
    if (std::isnan(v))
        v = 0.0f;
    v = direction == StepDirection::Increase ? v + step : v - step;
    if (std::isinf(v))
        v = v > 0 ? FLT_MAX : -FLT_MAX;
    if (v < 0 && belowZero == BelowZero::Clamped)
        v = 0.0f;
    return singleToText(v);
}

std::string controlTooltip(const Control& control, int units) {
    const std::string name = field(control.field).label;
    if (control.stepClass == StepClass::None)
        return name;
    return name + " (steps of " + singleToText(stepSize(control.stepClass, units)) +
           (units == UNITS_INCH ? " in)" : " cm)");
}

bool applyStepper(Design& design, const std::string& entry, StepDirection direction) {
    const Control* control = controlNamed(entry);
    if (!control || control->stepClass == StepClass::None)
        return false;
    syncGroup(design, control->field,
              stepValue(direction, control->belowZero, control->stepClass, design.params.units,
                        design.form.text(entry)));
    design.finalDrawing = 0;
    return true;
}

void setFieldText(Design& design, int number, const std::string& text) {
    const FieldDef& def = field(number);
    switch (def.kind) {
        case FieldKind::Text:
            design.form.setText(def.widgets[0], text);
            break;
        case FieldKind::Units: {
            int index = text == "Inch" || text == " " ? UNITS_INCH : UNITS_CM;
            design.form.setUnitsIndex(index);
            applyUnits(design, index);
            break;
        }
        case FieldKind::Boolean: {
            // Only 1 switches on. The flag is then exactly the button's state:
            // a file saying "Has fretboard,2" must not leave a flag the checks
            // read as on while the button, the drawing and a later save say off.
            const bool on = flagFromText(text) == 1;
            design.form.setActive(def.widgets[0], on);
            applySwitch(design, def.widgets[0], on);
            break;
        }
        case FieldKind::Choice:
            // Anything but 0 is the second value; the flag holds 0 or 1 only,
            // so the geometry never meets a third cutaway or taper type.
            selectChoice(design, number, flagFromText(text) == 0 ? 0 : 1);
            break;
        case FieldKind::Number:
        case FieldKind::Half:
        case FieldKind::Inches:
        case FieldKind::Integer:
            syncGroup(design, number, text);
            break;
    }
}

}  // namespace bowlyn

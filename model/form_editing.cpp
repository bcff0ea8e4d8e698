#include "model/form_editing.h"

#include <cfloat>
#include <cmath>

#include "model/number_text.h"

namespace bowlyn {
namespace {

float stepSize(StepClass stepClass, DesignUnits units) {
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

// Selects value 0 or 1 of a Choice field in every pair of its radio buttons.
void selectChoice(Design& design, int number, int value) {
    setFieldFlag(design.params, number, value);
    const std::vector<ChoicePair>& pairs = choicePairs();
    for (size_t p = 0; p < pairs.size(); ++p) {
        if (pairs[p].field == number)
            design.shownChoices[p] = value;
    }
}

// Booleans and choices arrive as texts such as "1" or "1,TRUE": the leading
// number, rounded, is the flag.
int32_t flagFromText(const std::string& text) {
    return roundToInt32(readNumber(text));
}

}  // namespace

void typeText(Design& design, int number, const std::string& text) {
    if (isEntryField(number) || field(number).kind == FieldKind::Text)
        design.texts[number - 1] = text;
}

void commitText(Design& design, int number, const std::string& text) {
    typeText(design, number, text);
    if (isEntryField(number))
        storeFieldText(design.params, number, text);
}

void setSwitch(Design& design, int number, bool on) {
    setFieldFlag(design.params, number, on ? 1 : 0);
}

void chooseInPair(Design& design, size_t pair, int value) {
    const ChoicePair& chosen = choicePairs().at(pair);
    if (chosen.first) {
        selectChoice(design, chosen.field, value);
        return;
    }
    setFieldFlag(design.params, chosen.field, value);
    design.shownChoices[pair] = value;
}

void setUnits(Design& design, int index) {
    design.params.units = index == UNITS_CM ? UNITS_CM : UNITS_INCH;
}

std::string stepValue(StepDirection direction, BelowZero belowZero, StepClass stepClass,
                      DesignUnits units, const std::string& text) {
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

std::string controlTooltip(const Control& control, DesignUnits units) {
    const std::string name = field(control.field).label;
    if (control.stepClass == StepClass::None)
        return name;
    return name + " (steps of " + singleToText(stepSize(control.stepClass, units)) +
           (units == UNITS_INCH ? " in)" : " cm)");
}

bool applyStepper(Design& design, const Control& entry, StepDirection direction) {
    if (entry.stepClass == StepClass::None)
        return false;
    commitText(design, entry.field,
               stepValue(direction, entry.belowZero, entry.stepClass, design.params.units,
                         design.text(entry.field)));
    return true;
}

void setFieldText(Design& design, int number, const std::string& text) {
    switch (field(number).kind) {
        case FieldKind::Text:
        case FieldKind::Number:
        case FieldKind::Half:
        case FieldKind::Inches:
        case FieldKind::Integer:
            commitText(design, number, text);
            break;
        case FieldKind::Units:
            setUnits(design, text == "Inch" || text == " " ? UNITS_INCH : UNITS_CM);
            break;
        case FieldKind::Boolean:
            // Only 1 switches on. The flag is then exactly the button's state:
            // a file saying "Has fretboard,2" must not leave a flag the checks
            // read as on while the button, the drawing and a later save say off.
            setSwitch(design, number, flagFromText(text) == 1);
            break;
        case FieldKind::Choice:
            // Anything but 0 is the second value; the flag holds 0 or 1 only,
            // so the geometry never meets a third cutaway or taper type.
            selectChoice(design, number, flagFromText(text) == 0 ? 0 : 1);
            break;
    }
}

}  // namespace bowlyn

#include "model/form_editing.h"

#include <cfloat>
#include <cmath>

#include "model/form.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

bool isEntryKind(FieldKind kind) {
    return kind == FieldKind::Number || kind == FieldKind::Half || kind == FieldKind::Integer;
}

void setSwitchContainers(Form& form, const char* hide, const char* show) {
    form.setVisible(hide, false);
    form.setVisible(show, true);
}

const Stepper stepperTable[] = {
    {"entryLength", 3, StepClass::Coarse, false},
    {"entryLBWidth", 4, StepClass::Coarse, false},
    {"entryHeelWidth", 5, StepClass::Medium, false},
    {"entryLBRadius", 10, StepClass::Coarse, false},
    {"entryLB2Radius", 34, StepClass::Medium, false},
    {"entryLBOffset", 11, StepClass::Fine, false},
    {"entryUBRadius", 13, StepClass::Coarse, false},
    {"entryUB2Radius", 35, StepClass::Fine, false},
    {"entryUBOffset", 14, StepClass::Fine, false},
    {"entryUBWidth", 12, StepClass::Coarse, false},
    {"entryWaistRadius", 16, StepClass::Coarse, false},
    {"entryWaistOffset", 17, StepClass::Medium, false},
    {"entryWaistWidth", 15, StepClass::Coarse, false},
    {"entryCutawayNeckOffset", 20, StepClass::Medium, false},
    {"entryCutawayDepth", 21, StepClass::Coarse, false},
    {"entryCutawayWidth", 22, StepClass::Coarse, false},
    {"entryCutawayVenetianRadius", 23, StepClass::Medium, false},
    {"entryCutawayVenetianPointRadius", 24, StepClass::Medium, false},
    {"entryHoleDiameter", 8, StepClass::Medium, false},
    {"entryHoleOffset", 9, StepClass::Medium, false},
    {"entryHoleHOffset", 33, StepClass::Medium, true},
};
constexpr int stepperCount = sizeof stepperTable / sizeof stepperTable[0];

float stepSize(StepClass stepClass, int units) {
    const bool inch = units == UNITS_INCH;
    switch (stepClass) {
        case StepClass::Fine:
            return static_cast<float>(inch ? 0.05 : 0.2);
        case StepClass::Medium:
            return static_cast<float>(inch ? 0.1 : 0.5);
        case StepClass::Coarse:
            break;
    }
    return static_cast<float>(inch ? 0.25 : 1.0);
}

}  // namespace

void commitEntry(Design& design, int number) {
    const FieldDef& def = field(number);
    if (!isEntryKind(def.kind))
        return;
    if (def.widgets.size() > 1) {
        // A group member may only be committed together with its siblings.
        syncGroup(design, number, design.form.text(def.fileWidget));
        return;
    }
    storeFieldValue(design.params, number, parseDimension(design.form.text(def.widgets[0])));
}

bool commitEntryWidget(Design& design, const std::string& widget) {
    int number = fieldByEntry(widget);
    if (number == 0)
        return false;
    const FieldDef& def = field(number);
    if (!isEntryKind(def.kind))
        return true;  // the name has no value to store
    if (def.widgets.size() > 1) {
        syncGroup(design, number, design.form.text(widget));
    } else {
        commitEntry(design, number);
    }
    return true;
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
    storeFieldValue(design.params, number, parseDimension(text));
    for (const auto& widget : def.widgets)
        design.form.setText(widget, text);
}

void syncJoinsAtFret(Design& design, const std::string& text) {
    syncGroup(design, fields::JOINS_AT_FRET, text);
}
void syncScaleLength(Design& design, const std::string& text) {
    syncGroup(design, fields::SCALE_LENGTH, text);
}
void syncNutWidth(Design& design, const std::string& text) {
    syncGroup(design, fields::NUT_WIDTH, text);
}
void syncBoardWidthFret(Design& design, const std::string& text) {
    syncGroup(design, fields::BOARD_WIDTH_FRET, text);
}
void syncBoardWidthAtFret(Design& design, const std::string& text) {
    syncGroup(design, fields::BOARD_WIDTH_AT_FRET, text);
}
void syncBridgeStringSpacing(Design& design, const std::string& text) {
    syncGroup(design, fields::BRIDGE_STRING_SPACING, text);
}
void syncStringSetback(Design& design, const std::string& text) {
    syncGroup(design, fields::STRING_SETBACK, text);
}
void syncFirstStringDiameter(Design& design, const std::string& text) {
    syncGroup(design, fields::FIRST_STRING_DIAMETER, text);
}
void syncLastStringDiameter(Design& design, const std::string& text) {
    syncGroup(design, fields::LAST_STRING_DIAMETER, text);
}

void selectTaperBoardWidth(Design& design) {
    Form& form = design.form;
    design.params.taperType = TAPERTYPEBOARDWIDTH;
    form.setActive("radiobuttonCutawayWidthAtFret", true);
    setSwitchContainers(form, "fixedCutawayTaperFromStringSpacingVisibility",
                        "fixedCutawayTaperFromNeckWidthVisibility");
    form.setActive("radiobuttonFretboardWidthAtFret", true);
    setSwitchContainers(form, "fixedFretboardTaperFromStringSpacingVisibility",
                        "fixedFretboardTaperFromNeckWidthVisibility");
}

void selectTaperStringSpacing(Design& design) {
    Form& form = design.form;
    design.params.taperType = STRINGSPACING;
    form.setActive("radiobuttonCutawayStringSpacing", true);
    setSwitchContainers(form, "fixedCutawayTaperFromNeckWidthVisibility",
                        "fixedCutawayTaperFromStringSpacingVisibility");
    form.setActive("radiobuttonFretboardStringSpacing", true);
    setSwitchContainers(form, "fixedFretboardTaperFromNeckWidthVisibility",
                        "fixedFretboardTaperFromStringSpacingVisibility");
}

void applyHasCutaway(Design& design, bool active) {
    design.params.hasCutaway = active ? 1 : 0;
    design.form.setSensitive("fixedCutawaySensitivity", active);
}

void applyCutawayFlorentine(Design& design, bool active) {
    if (!active)
        return;
    design.params.cutawayType = CUTAWAYTYPEFLORENTINE;
    setSwitchContainers(design.form, "fixedCutawayParamsVenetianVisibility",
                        "fixedCutawayParamsFlorentineVisibility");
}

void applyCutawayVenetian(Design& design, bool active) {
    if (!active)
        return;
    design.params.cutawayType = CUTAWAYTYPEVENETIAN;
    setSwitchContainers(design.form, "fixedCutawayParamsFlorentineVisibility",
                        "fixedCutawayParamsVenetianVisibility");
}

void applyFretboardTaperBoardWidth(Design& design, bool active) {
    if (!active)
        return;
    design.params.taperType = TAPERTYPEBOARDWIDTH;
    setSwitchContainers(design.form, "fixedFretboardTaperFromStringSpacingVisibility",
                        "fixedFretboardTaperFromNeckWidthVisibility");
}

void applyFretboardTaperStringSpacing(Design& design, bool active) {
    if (!active)
        return;
    design.params.taperType = STRINGSPACING;
    setSwitchContainers(design.form, "fixedFretboardTaperFromNeckWidthVisibility",
                        "fixedFretboardTaperFromStringSpacingVisibility");
}

void applyHasFretboard(Design& design, bool active) {
    design.params.hasFretboard = active ? 1 : 0;
    design.form.setSensitive("fixedFretboardSensitivity", active);
    design.form.setSensitive("fixedStringsTab", active);
}

void applyHasMarkers(Design& design, bool active) {
    design.params.hasMarkers = active ? 1 : 0;
}

void applyHasStrings(Design& design, bool active) {
    design.params.hasStrings = active ? 1 : 0;
    design.form.setSensitive("fixedStringsSensitivity", active);
}

void applyUnits(Design& design, int index) {
    design.params.units = index;
    design.form.setText("labelUnits2", index == UNITS_INCH ? " " : "except as noted.");
}

const Stepper* steppers(int& count) {
    count = stepperCount;
    return stepperTable;
}

const Stepper* stepperForEntry(const std::string& entry) {
    for (const Stepper& s : stepperTable) {
        if (entry == s.entry)
            return &s;
    }
    return nullptr;
}

std::string stepValue(StepDirection direction, bool allowNegative, StepClass stepClass, int units,
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
    if (v < 0 && !allowNegative)
        v = 0.0f;
    return singleToText(v);
}

void applyStepper(Design& design, const Stepper& stepper, StepDirection direction) {
    std::string text = stepValue(direction, stepper.allowNegative, stepper.stepClass,
                                 design.params.units, design.form.text(stepper.entry));
    design.form.setText(stepper.entry, text);
    storeFieldValue(design.params, stepper.field, static_cast<float>(readNumber(text)));
    design.finalDrawing = 0;
}

namespace {

// Booleans and choices arrive as texts such as "1" or "1,TRUE": the leading
// number, rounded, is the flag.
int32_t flagFromText(const std::string& text) {
    return roundToInt32(readNumber(text));
}

// Only 1 switches on. The flag is then exactly the button's state: a file
// saying "Has fretboard,2" must not leave a flag the checks read as on while
// the button, the drawing and a later save say off.
void setCheckButton(Design& design, int number, int32_t flag) {
    const bool on = flag == 1;
    design.form.setActive(field(number).widgets[0], on);
    switch (number) {
        case fields::HAS_CUTAWAY:
            applyHasCutaway(design, on);
            break;
        case fields::HAS_FRETBOARD:
            applyHasFretboard(design, on);
            break;
        case fields::HAS_MARKERS:
            applyHasMarkers(design, on);
            break;
        case fields::HAS_STRINGS:
            applyHasStrings(design, on);
            break;
        default:
            break;
    }
}

void setChoice(Design& design, int number, int32_t flag) {
    if (number == fields::CUTAWAY_TYPE) {
        // Anything but 0 is the Venetian cutaway; the flag holds 0 or 1 only,
        // so the geometry never meets a third type.
        if (flag == 0) {
            design.form.setActive("radiobuttonCutawayFlorentine", true);
            applyCutawayFlorentine(design, true);
        } else {
            design.form.setActive("radiobuttonCutawayVenetian", true);
            applyCutawayVenetian(design, true);
        }
    } else if (number == fields::TAPER_TYPE) {
        if (flag != 0) {
            selectTaperStringSpacing(design);
        } else {
            selectTaperBoardWidth(design);
        }
    }
}

}  // namespace

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
        case FieldKind::Boolean:
            setCheckButton(design, number, flagFromText(text));
            break;
        case FieldKind::Choice:
            setChoice(design, number, flagFromText(text));
            break;
        case FieldKind::Number:
        case FieldKind::Half:
        case FieldKind::Integer:
            syncGroup(design, number, text);
            break;
    }
}

}  // namespace bowlyn

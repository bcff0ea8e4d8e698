#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/design_parameters.h"

namespace bowlyn {

// Field numbers, 1 to FIELD_COUNT in the order of model/fields.def: the
// column of the presets and the line of the parameter file.
namespace fields {
enum : int {
    NO_FIELD = 0,
#define FIELD(id, label, kind, member) id,
#define TEXT_FIELD(id, label, widget) id,
#include "model/fields.def"
    END
};
}  // namespace fields

constexpr int FIELD_COUNT = fields::END - 1;

// How a field's text becomes its value (see model/fields.def). Number and
// Half are lengths in the design's unit; Inches is a number the geometry
// takes in inches in either unit.
enum class FieldKind { Text, Units, Number, Half, Inches, Integer, Boolean, Choice };

// Whether a field of this kind holds a number read from an entry.
constexpr bool isEntryKind(FieldKind kind) {
    return kind == FieldKind::Number || kind == FieldKind::Half || kind == FieldKind::Inches ||
           kind == FieldKind::Integer;
}
// Whether its number is a length in the design's unit, which changes with the
// unit when the design is converted.
constexpr bool isDesignLength(FieldKind kind) {
    return kind == FieldKind::Number || kind == FieldKind::Half;
}

// Where a field's value lives in DesignParameters and in what type.
struct ValueSlot {
    enum class Type { None, Single, Signed, Unsigned, Flag };
    Type type = Type::None;
    std::size_t offset = 0;
};

enum class ControlKind { Text, Entry, Check, Radio };
enum class StepClass { None, Fine, Medium, Coarse };
enum class BelowZero { Clamped, Allowed };

// A widget that shows a field.
struct Control {
    std::string widget;
    ControlKind kind = ControlKind::Entry;
    int field = 0;
    // Entries with a Dec and an Inc button: their step class and whether a
    // step may go below 0.
    StepClass stepClass = StepClass::None;
    BelowZero belowZero = BelowZero::Clamped;
    // Entries whose unit caption is the design's unit, "in" or "cm" (the
    // window shows it in a label named after the entry).
    bool designUnitCaption = false;
    // Radio buttons: the value they stand for, its name in parameter files,
    // the other button of their pair and the pair's number in choicePairs().
    int value = 0;
    std::string valueName;
    std::string partner;
    size_t pair = 0;
    // Check buttons: the containers sensitive while active; radio buttons: the
    // container shown while active.
    std::vector<std::string> switched;
};

// One field of a design: its label (the key of presets and parameter files),
// how its text is converted, where its value is held and the widgets that
// show it (entries in synchronisation order, the check button, or the radio
// buttons in pairs).
struct FieldDef {
    const char* label;
    FieldKind kind;
    ValueSlot slot;
    std::vector<std::string> widgets;
    // A blank entry is no value (DesignParameters::UNSET), not 0.
    bool blankIsUnset = false;
};

// Fields numbered 1 to FIELD_COUNT.
const FieldDef& field(int number);
// The field number whose label is `label` exactly, or 0.
int fieldByLabel(const std::string& label);

// Every control of every field, in the order of the table.
const std::vector<Control>& controls();
// The control named `widget`, or nullptr.
const Control* controlNamed(const std::string& widget);

// A pair of radio buttons of a Choice field, value 0 first. A choice may be
// shown by several pairs; the first one is where it is chosen for all.
struct ChoicePair {
    int field = 0;
    size_t buttons[2] = {0, 0};  // in controls(), for values 0 and 1
    bool first = false;          // the field's first pair
};
// Every pair of every Choice field, in the order of the table.
const std::vector<ChoicePair>& choicePairs();

// Whether the field's text is what its entries show and its value is read
// from: a field of an entry kind.
bool isEntryField(int number);

// Stores the value of an entry's text: its number, or for a field whose
// blank means its default, no value when the text is blank (and infinity for
// a text whose number is not one, so that it is refused, not defaulted).
void storeFieldText(DesignParameters& params, int number, const std::string& text);
// The stored value of a Number, Inches, Half (shown as the full width) or
// Integer field, or the flag of a Units, Boolean or Choice field.
double fieldValue(const DesignParameters& params, int number);
// Sets the flag of a Units, Boolean or Choice field.
void setFieldFlag(DesignParameters& params, int number, int32_t flag);
// Whether two parameter sets hold the same value in every field, bit for
// bit: a NaN equals itself.
bool sameParameters(const DesignParameters& a, const DesignParameters& b);

}  // namespace bowlyn

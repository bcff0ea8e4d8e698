#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/design_parameters.h"

namespace bowlyn {

constexpr int FIELD_COUNT = 64;

enum class FieldKind { Text, Units, Number, Half, Integer, Boolean, Choice };

// One field of a design: its label (the key of presets and parameter files),
// how its text is converted, and the form controls that show it.
struct FieldDef {
    const char* label;
    FieldKind kind;
    // Entries in synchronisation order (several for a shared group), or the
    // check button, or the two radio buttons of a choice (value 0 first).
    std::vector<std::string> widgets;
    // The member the parameter file reads; all members show the same text.
    std::string fileWidget;
};

// Fields numbered 1 to 64 as in presets and parameter files.
const FieldDef& field(int number);
// fieldLabels[k - 1] is the label of field k.
const std::array<std::string, FIELD_COUNT>& fieldLabels();
// The field number whose label is `label` exactly, or 0.
int fieldByLabel(const std::string& label);
// The field number shown by entry `widget`, or 0.
int fieldByEntry(const std::string& widget);

// Stores an already converted number by the field's kind: halved for half
// widths, rounded for integers. Only for Number, Half and Integer fields.
void storeFieldValue(DesignParameters& params, int number, float value);
// The stored value of a Number, Half (shown as the full width) or Integer field.
double fieldValue(const DesignParameters& params, int number);

// Field numbers that the rest of the program names.
namespace fields {
constexpr int NAME = 1, UNITS = 2, BODY_LENGTH = 3, JOINS_AT_FRET = 6, SCALE_LENGTH = 7,
              HAS_CUTAWAY = 18, CUTAWAY_TYPE = 19, TAPER_TYPE = 25, NUT_WIDTH = 26,
              BOARD_WIDTH_AT_FRET = 27, BOARD_WIDTH_FRET = 28, BRIDGE_STRING_SPACING = 29,
              STRING_SETBACK = 30, FIRST_STRING_DIAMETER = 31, LAST_STRING_DIAMETER = 32,
              HAS_FRETBOARD = 36, HAS_MARKERS = 42, HAS_STRINGS = 45, STRING_COUNT = 46,
              FIRST_DIAMETER = 49;
}

}  // namespace bowlyn

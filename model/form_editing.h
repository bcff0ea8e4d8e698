#pragma once

#include <string>

#include "model/design.h"

namespace bowlyn {

// Commit of an entry: reads its text and stores the value by the field's
// kind, copying the text into the other entries of a shared group. False when
// the widget shows no field.
bool commitEntryWidget(Design& design, const std::string& widget);

// Commands that read the design call this first: the entry holding the
// keyboard focus is committed exactly as leaving it would, so a typed value
// counts although the focus never left its entry.
void commitFocusedEntry(Design& design);

// Synchronises the entries of a Number, Half or Integer field with `text`:
// stores the value and writes the text unchanged into every entry of the
// field, in order (a shared group holds several).
void syncGroup(Design& design, int field, const std::string& text);

// A check button toggled or a radio button clicked, with its new state: sets
// the field's flag and the containers that depend on it (a radio button that
// was switched off changes nothing). Loading a design does the same.
void applySwitch(Design& design, const std::string& widget, bool active);
// Units index 0 inch, 1 centimetre; updates labelUnits2 and the unit
// captions that show the design's unit; converts nothing.
void applyUnits(Design& design, int index);

enum class StepDirection { Decrease, Increase };

// The entry text after one step, written with singleToText. A text without a
// finite value steps from 0 (NaN) or stays at the largest single (infinity).
std::string stepValue(StepDirection direction, BelowZero belowZero, StepClass stepClass, int units,
                      const std::string& text);
// The tooltip of a control: its field's name and, for an entry with
// steppers, their step in the design's unit ("Lower bout width (steps of
// 0.25 in)").
std::string controlTooltip(const Control& control, int units);

// A stepper click without the recompute: steps the entry's text, shows the
// result, stores it and sets finalDrawing := 0. False for an entry without
// steppers.
bool applyStepper(Design& design, const std::string& entry, StepDirection direction);

// Sets a field as the form would when a user edits it and it is committed, or
// as a loaded design would for switches, choices and units ("Inch"/"CM").
void setFieldText(Design& design, int field, const std::string& text);

}  // namespace bowlyn

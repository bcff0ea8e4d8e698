#pragma once

#include <string>

#include "model/design.h"

namespace bowlyn {

// What typing in an entry of `field` does before the entry is left: the
// field's text changes, its value does not.
void typeText(Design& design, int field, const std::string& text);

// Commit of an entry of `field`: `text` becomes the field's text (every
// entry of a shared group shows it) and its value is stored by the field's
// kind. The name keeps its text only; other fields are left alone.
void commitText(Design& design, int field, const std::string& text);

// A check button toggled: the Boolean field's flag.
void setSwitch(Design& design, int field, bool on);
// A radio button switched on: `value` in pair `pair` of choicePairs(). The
// first pair of a choice selects the value in every pair of it, a later pair
// only in itself; either sets the field's value.
void chooseInPair(Design& design, size_t pair, int value);
// Units index 0 inch, 1 centimetre; converts nothing.
void setUnits(Design& design, int index);

enum class StepDirection { Decrease, Increase };

// The entry text after one step, written with singleToText. A text without a
// finite value steps from 0 (NaN) or stays at the largest single (infinity).
std::string stepValue(StepDirection direction, BelowZero belowZero, StepClass stepClass,
                      DesignUnits units, const std::string& text);
// The tooltip of a control: its field's name and, for an entry with
// steppers, their step in the design's unit ("Lower bout width (steps of
// 0.25 in)").
std::string controlTooltip(const Control& control, DesignUnits units);

// A stepper click without the recompute: steps the field's text by the
// entry's steppers and stores it. False for an entry without steppers.
bool applyStepper(Design& design, const Control& entry, StepDirection direction);

// Sets a field as the form would when a user edits it and it is committed, or
// as a loaded design would for switches, choices and units ("Inch"/"CM").
void setFieldText(Design& design, int field, const std::string& text);

}  // namespace bowlyn

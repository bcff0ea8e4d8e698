#pragma once

#include <string>

#include "model/design.h"

namespace bowlyn {

// Commit of an entry outside the shared groups: reads its text and stores the
// value by the field's kind. Entries of shared groups go through syncGroup.
void commitEntry(Design& design, int field);
// Commit of whichever entry shows `widget` (shared groups synchronised);
// false when no field is shown in that entry.
bool commitEntryWidget(Design& design, const std::string& widget);

// Commands that read the design call this first: the entry holding the
// keyboard focus is committed exactly as leaving it would, so a typed value
// counts although the focus never left its entry.
void commitFocusedEntry(Design& design);

// Synchronises the shared entry group of `field` with `text`: stores the value
// and writes the text unchanged into every entry of the group, in order.
void syncGroup(Design& design, int field, const std::string& text);
void syncJoinsAtFret(Design& design, const std::string& text);
void syncScaleLength(Design& design, const std::string& text);
void syncNutWidth(Design& design, const std::string& text);
void syncBoardWidthFret(Design& design, const std::string& text);
void syncBoardWidthAtFret(Design& design, const std::string& text);
void syncBridgeStringSpacing(Design& design, const std::string& text);
void syncStringSetback(Design& design, const std::string& text);
void syncFirstStringDiameter(Design& design, const std::string& text);
void syncLastStringDiameter(Design& design, const std::string& text);

// The taper choice on both tabs.
void selectTaperBoardWidth(Design& design);
void selectTaperStringSpacing(Design& design);

// What the switches do when toggled or clicked (the GTK handlers call these
// with the button's new state; loading a design calls them too).
void applyHasCutaway(Design& design, bool active);
void applyCutawayFlorentine(Design& design, bool active);
void applyCutawayVenetian(Design& design, bool active);
void applyFretboardTaperBoardWidth(Design& design, bool active);     // fretboard tab only
void applyFretboardTaperStringSpacing(Design& design, bool active);  // fretboard tab only
void applyHasFretboard(Design& design, bool active);
void applyHasMarkers(Design& design, bool active);
void applyHasStrings(Design& design, bool active);
// Units index 0 inch, 1 centimetre; updates labelUnits2; converts nothing.
void applyUnits(Design& design, int index);

enum class StepClass { Fine, Medium, Coarse };
enum class StepDirection { Decrease, Increase };

// One stepper pair: the entry, its step class and whether it may go below 0.
struct Stepper {
    const char* entry;
    int field;
    StepClass stepClass;
    bool allowNegative;
};
// The 21 stepper pairs.
const Stepper* steppers(int& count);
const Stepper* stepperForEntry(const std::string& entry);

// The entry text after one step, written with singleToText. A text without a
// finite value steps from 0 (NaN) or stays at the largest single (infinity).
std::string stepValue(StepDirection direction, bool allowNegative, StepClass stepClass, int units,
                      const std::string& text);
// A stepper click without the recompute: steps the entry's text, shows the
// result, stores it and sets finalDrawing := 0.
void applyStepper(Design& design, const Stepper& stepper, StepDirection direction);

// Sets a field as the form would when a user edits it and it is committed, or
// as a loaded design would for switches, choices and units ("Inch"/"CM").
void setFieldText(Design& design, int field, const std::string& text);

}  // namespace bowlyn

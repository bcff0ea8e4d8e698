#pragma once

#include <string>

#include "model/design.h"

namespace bowlyn {

constexpr int WORK_ROW = presetRows::WORK;
constexpr int PRESET_COUNT = PRESET_ROWS - 1;  // rows 1 to 11

// The table with rows 1 to 11 filled with the built-in presets and the work
// row blank (single spaces).
PresetTable builtInPresetTable();
// Name text (field 1) of preset row 1 to 11.
const std::string& presetName(int row);
// Row 1 to 11 whose name matches case-insensitively, or -1.
int presetByName(const std::string& name);

// Every text of the work row := " ".
void clearWorkRow(Design& design);

// Loads row 0 to 11 into the form and commits every value directly (no focus
// events needed). Does not recompute; sets outlineComplete := 0 and leaves
// the keyboard focus in the body length. The session forgets the file name.
void loadPreset(Design& design, int row);

}  // namespace bowlyn

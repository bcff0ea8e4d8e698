#pragma once

#include <string>

#include "model/design.h"

namespace bowlyn {

constexpr int CLEAR_ROW = presetRows::CLEAR;
constexpr int PRESET_COUNT = PRESET_ROWS - 1;  // rows 1 to 11

using PresetTable = std::array<FieldTexts, PRESET_ROWS>;

// Row 0 blank (single spaces), the cleared form; rows 1 to 11 the built-in
// designs.
const PresetTable& builtInPresetTable();
// The texts of row 0 to 11.
const FieldTexts& presetTexts(int row);
// Name text (field 1) of preset row 1 to 11.
const std::string& presetName(int row);
// Row 1 to 11 whose name matches case-insensitively, or -1.
int presetByName(const std::string& name);

// Sets every field from `texts` and commits every value directly (no focus
// events needed), as loading a preset, a file or converted points does.
void loadTexts(Design& design, const FieldTexts& texts);

}  // namespace bowlyn

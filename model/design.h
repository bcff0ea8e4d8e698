#pragma once

#include <array>
#include <string>

#include "model/design_parameters.h"
#include "model/field_table.h"

namespace bowlyn {

class Form;

// Row numbers of the built-in designs, from 1 in the order of
// model/presets.def (presetRows::OM is 8); row 0 is the work row.
namespace presetRows {
enum : int {
    WORK = 0,
#define PRESET(key, name, caption) key,
#include "model/presets.def"
    END
};
}  // namespace presetRows

constexpr int PRESET_ROWS = presetRows::END;
using PresetRow = std::array<std::string, FIELD_COUNT>;  // text k - 1 is field k
using PresetTable = std::array<PresetRow, PRESET_ROWS>;

// What the form edits: the converted values, the preset rows through which
// designs are loaded and the drawing mode. One per window; the file it
// belongs to and its history are the session's (session/session.h).
struct Design {
    explicit Design(Form& f);
    Design(const Design&) = delete;
    Design& operator=(const Design&) = delete;

    Form& form;
    DesignParameters params;
    PresetTable presets;
    int32_t finalDrawing = 0;     // 1: the next pass draws without construction aids
    int32_t outlineComplete = 0;  // 1: the last pass produced a complete outline
};

}  // namespace bowlyn

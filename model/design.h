#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/design_parameters.h"
#include "model/field_table.h"

namespace bowlyn {

// Row numbers of the built-in designs, from 1 in the order of
// model/presets.def (presetRows::OM is 8); row 0 is the cleared form.
namespace presetRows {
enum : int {
    CLEAR = 0,
#define PRESET(key, name, caption) key,
#include "model/presets.def"
    END
};
}  // namespace presetRows

constexpr int PRESET_ROWS = presetRows::END;

// One text per field, text k - 1 for field k: what a preset, a parameter
// file or converted points give a design to load.
using FieldTexts = std::array<std::string, FIELD_COUNT>;

// What the form edits: the text of every field that is typed, the choice
// each pair of radio buttons shows, and the values read from them. A typed
// text is the field's at once; its value only once it is committed (the
// entry left, Enter, a command that reads the design), so the two differ
// meanwhile. One per window, one per command line run; the file it belongs
// to and its history are the session's (session/session.h).
struct Design {
    Design();

    // The name's text and the texts of the Number, Half and Integer fields
    // (every entry of a field shows its text); "" for the switches, the
    // choices and the units, whose values say everything.
    FieldTexts texts;
    // The value each pair of choicePairs() shows. A click in a later pair of
    // a choice changes its value and that pair only, so the pairs of one
    // choice may differ.
    std::vector<int32_t> shownChoices;
    DesignParameters params;

    const std::string& text(int field) const { return texts[field - 1]; }

    // Texts, choices and values alike, values bit for bit (a NaN equals itself).
    bool operator==(const Design& other) const;
    bool operator!=(const Design& other) const { return !(*this == other); }
};

// The design's name without the spaces and tabs around it, for the title of
// an exported file; "" when the name is blank.
std::string designTitle(const Design& design);

}  // namespace bowlyn

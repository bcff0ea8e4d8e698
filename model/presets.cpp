#include "model/presets.h"

#include <cctype>

#include "model/form.h"
#include "model/form_editing.h"
#include "model/parameter_file.h"

namespace bowlyn {
namespace {

constexpr const char* BLANK = " ";

const char* const presetNames[PRESET_COUNT] = {
    "Archtop 16'' w/ Venetian cutaway",
    "Dreadnought",
    "Jumbo J-200",
    "Classical",
    "Parlor guitar",
    "Steel string 15'' w/ Florentine cutaway",
    "ABG 18'' w/ Venetian cutaway",
    "OM",
    "Soprano Uke",
    "Tenor Uke",
    "Concert Uke",
};

constexpr int CLASSICAL_ROW = 4;

// Fields 3 to 64 of rows 1 to 11, one line per field; an empty cell is a blank
// field. Fields not listed (course spacing, 7th to 16th string) are blank in
// every preset. The ABG's fretwire thickness keeps the leading space it was
// typed with.
struct PresetColumn {
    int field;
    const char* texts[PRESET_COUNT];
};

// clang-format off
const PresetColumn presetTexts[] = {
    {3, {"20.65", "20.09", "21", "49.4", "18.24", "19", "22.8", "19.4", "9.44", "12.063", "11"}},  // Body length
    {4, {"16", "15.84", "16.95", "37", "11.86", "15", "18", "15", "6.37", "8.808", "7.625"}},  // Lower bout width
    {5, {"3.15", "2.17", "2.11", "0", "0", "2.666", "2.6", "2.5", "1.25", "", ""}},  // Neck flat length
    {6, {"14", "14", "14", "12", "12", "14", "14", "14", "12", "14", "12"}},  // Neck joins body at fret number
    {7, {"25", "25.4", "25.5", "65", "24.9", "25.5", "34", "25.4", "13.625", "17.063", "14.3125"}},  // Scale length
    {8, {"", "", "", "", "", "", "", "3.88", "", "", ""}},  // Sound hole diameter
    {9, {"", "", "", "", "", "", "", "13.5", "", "", ""}},  // Sound hole offset
    {10, {"6.52", "5.28", "6.28", "13.5", "4.88", "6", "6.9", "5.12", "2.54", "3.207", "2.84"}},  // Lower bout radius
    {11, {"0.15", "0.25", "0.85", "0.5", "0.09", "0.347", "0.73", "0.27", "0.15", "0.167", "0.1385"}},  // Lower bout offset
    {12, {"12.32", "11.59", "12.43", "28.3", "9.39", "11.25", "13.5", "11.25", "5", "6.615", "5.64"}},  // Upper bout width
    {13, {"3.49", "2.94", "3.3", "9.4", "3.43", "2.5", "2.9", "2.76", "1.87", "2.078", "1.8"}},  // Upper bout radius
    {14, {"0.07", "0.14", "0.17", "0.8", "0.21", "0.625", "0.79", "0.25", "", "0.32", "0.083"}},  // Upper bout offset
    {15, {"9.87", "10.77", "10.2", "24.1", "7.03", "9.382", "11.1", "9.38", "4", "5.763", "4.5"}},  // Waist width
    {16, {"1.84", "5.42", "1.53", "5.9", "2.04", "1.762", "2.15", "2.36", "1.12", "1.723", "1.59"}},  // Waist radius
    {17, {"13.26", "13.55", "13.85", "30.5", "10.8", "12.574", "15.13", "12.68", "5.68", "7.338", "6.94"}},  // Waist offset
    {18, {"1", "0", "0", "0", "0", "1", "1", "0", "0", "", ""}},  // Has cutaway
    {19, {"1", "", "", "", "", "0", "1", "", "", "", ""}},  // Cutaway type
    {20, {"0.023", "", "", "", "", "0.306", "0", "", "", "", ""}},  // Cutaway side offset
    {21, {"3.1", "", "", "", "", "2.105", "3.33", "", "", "", ""}},  // Cutaway depth
    {22, {"5.01", "", "", "", "", "3.402", "5.6", "", "", "", ""}},  // Cutaway width
    {23, {"0.99", "", "", "", "", "0", "1.42", "", "", "", ""}},  // Cutaway valley radius
    {24, {"1.449", "", "", "", "", "0", "1.52", "", "", "", ""}},  // Cutaway point radius
    {25, {"1", "", "", "", "", "1", "1", "0", "", "", ""}},  // taper choice: 0 width at a fret, 1 string spacing
    {26, {"1.75", "", "", "", "", "1.625", "1.5", "1.73", "", "", ""}},  // Nut width
    {27, {"", "", "", "", "", "", "", "2.125", "", "", ""}},  // Fingerboard width at fret
    {28, {"", "", "", "", "", "", "", "12", "", "", ""}},  // Fingerboard width fret number
    {29, {"2.047", "", "", "", "", "2.095", "2.25", "", "", "", ""}},  // String spacing at bridge
    {30, {".094", "", "", "", "", ".094", ".125", "0.12", "", "", ""}},  // String setback
    {31, {"0.011", "", "", "", "", "0.011", "0.045", "", "", "", ""}},  // String 1 diameter
    {32, {"0.05", "", "", "", "", "0.05", "0.105", "", "", "", ""}},  // String last diameter
    {33, {"", "", "", "", "", "", "", "0", "", "", ""}},  // Sound hole x offset
    {34, {"", "", "", "", "", "", "", "2.38", "0.403", "0.325", "1.09"}},  // Lower bout secondary radius increment
    {35, {"", "", "", "", "", "", "", "1.34", "", "2.169", "0.78"}},  // Upper bout secondary radius increment
    {36, {"", "", "", "", "", "", "1", "1", "0", "", ""}},  // Has fretboard
    {37, {"", "", "", "", "", "", "22", "20", "", "", ""}},  // Total number of frets
    {38, {"", "", "", "", "", "", "0.25", "0.25", "", "", ""}},  // Fretboard thickness
    {39, {"", "", "", "", "", "", "0.25", "0.197", "", "", ""}},  // Nut thickness
    {40, {"", "", "", "", "", "", " 0.1", "0.084", "", "", ""}},  // Fretwire thickness
    {41, {"", "", "", "", "", "", "0.05", "0.039", "", "", ""}},  // Fretwire height
    {42, {"", "", "", "", "", "", "1", "0", "", "", ""}},  // Has fretboard markers
    {43, {"", "", "", "", "", "", "0.25", "", "", "", ""}},  // Marker diameter
    {44, {"", "", "", "", "", "", "0.063", "", "", "", ""}},  // Side marker diameter
    {45, {"", "", "", "", "", "", "0", "1", "0", "", ""}},  // Has strings
    {46, {"", "", "", "", "", "", "", "6", "", "", ""}},  // Number of strings
    {47, {"", "", "", "", "", "", "", "1", "", "", ""}},  // Strings per course
    {49, {"", "", "", "", "", "", "", "0.013", "", "", ""}},  // Diameter of 1st string
    {50, {"", "", "", "", "", "", "", "0.017", "", "", ""}},  // Diameter of 2nd string
    {51, {"", "", "", "", "", "", "", "0.026", "", "", ""}},  // Diameter of 3rd string
    {52, {"", "", "", "", "", "", "", "0.036", "", "", ""}},  // Diameter of 4th string
    {53, {"", "", "", "", "", "", "", "0.046", "", "", ""}},  // Diameter of 5th string
    {54, {"", "", "", "", "", "", "", "0.056", "", "", ""}},  // Diameter of 6th string
};
// clang-format on

PresetRow blankRow() {
    PresetRow row;
    row.fill(BLANK);
    return row;
}

}  // namespace

PresetTable builtInPresetTable() {
    PresetTable table;
    table.fill(blankRow());
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        table[row][fields::NAME - 1] = presetNames[row - 1];
        table[row][fields::UNITS - 1] = row == CLASSICAL_ROW ? "CM" : "Inch";
    }
    for (const PresetColumn& column : presetTexts) {
        for (int row = 1; row <= PRESET_COUNT; ++row) {
            const char* text = column.texts[row - 1];
            if (*text)
                table[row][column.field - 1] = text;
        }
    }
    return table;
}

const std::string& presetName(int row) {
    static const PresetTable table = builtInPresetTable();
    static const std::string none;
    if (row < 1 || row > PRESET_COUNT)
        return none;
    return table[row][fields::NAME - 1];
}

int presetByName(const std::string& name) {
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string wanted = lower(name);
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        if (lower(presetName(row)) == wanted)
            return row;
    }
    return -1;
}

void clearWorkRow(Design& design) {
    design.presets[WORK_ROW] = blankRow();
}

void loadPreset(Design& design, int row) {
    if (row < 0 || row >= PRESET_ROWS)
        return;
    design.form.setNotebookPage(0);
    design.currentFileName.clear();
    // A copy, so that loading the work row may not alias what it changes.
    const PresetRow texts = design.presets[row];
    // Every field is committed as it is set, so no value depends on focus
    // events reaching the entries; switches also bring their dependent
    // controls in line whatever state the form was in before.
    for (int k = 1; k <= FIELD_COUNT; ++k)
        setFieldText(design, k, texts[k - 1]);
    design.outlineComplete = 0;
    // Typing goes into the body length first, as after start-up.
    design.form.focus("entryLength");
    markSaved(design);
}

}  // namespace bowlyn

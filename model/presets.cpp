#include "model/presets.h"

#include "model/form_editing.h"
#include "model/text_case.h"

namespace bowlyn {
namespace {

constexpr const char* BLANK = " ";

const char* const presetNames[PRESET_COUNT] = {
#define PRESET(key, name, caption) name,
#include "model/presets.def"
};

constexpr int CLASSICAL_ROW = presetRows::Classical;

// The texts of rows 1 to 11 after the name and the units, one line per field;
// an empty cell is a blank field. Fields not listed (course spacing, 7th to
// 16th string) are blank in every preset. The ABG's fretwire thickness keeps the leading space it
// was typed with.
struct PresetColumn {
    int field;
    const char* texts[PRESET_COUNT];
};

// clang-format off
const PresetColumn presetColumns[] = {
    {fields::BODY_LENGTH, {"20.65", "20.09", "21", "49.4", "18.24", "19", "22.8", "19.4", "9.44", "12.063", "11"}},
    {fields::LOWER_BOUT_WIDTH, {"16", "15.84", "16.95", "37", "11.86", "15", "18", "15", "6.37", "8.808", "7.625"}},
    {fields::NECK_FLAT_LENGTH, {"3.15", "2.17", "2.11", "0", "0", "2.666", "2.6", "2.5", "1.25", "", ""}},
    {fields::JOINS_AT_FRET, {"14", "14", "14", "12", "12", "14", "14", "14", "12", "14", "12"}},
    {fields::SCALE_LENGTH, {"25", "25.4", "25.5", "65", "24.9", "25.5", "34", "25.4", "13.625", "17.063", "14.3125"}},
    {fields::SOUND_HOLE_DIAMETER, {"", "", "", "", "", "", "", "3.88", "", "", ""}},
    {fields::SOUND_HOLE_OFFSET, {"", "", "", "", "", "", "", "13.5", "", "", ""}},
    {fields::LOWER_BOUT_RADIUS, {"6.52", "5.28", "6.28", "13.5", "4.88", "6", "6.9", "5.12", "2.54", "3.207", "2.84"}},
    {fields::LOWER_BOUT_OFFSET, {"0.15", "0.25", "0.85", "0.5", "0.09", "0.347", "0.73", "0.27", "0.15", "0.167", "0.1385"}},
    {fields::UPPER_BOUT_WIDTH, {"12.32", "11.59", "12.43", "28.3", "9.39", "11.25", "13.5", "11.25", "5", "6.615", "5.64"}},
    {fields::UPPER_BOUT_RADIUS, {"3.49", "2.94", "3.3", "9.4", "3.43", "2.5", "2.9", "2.76", "1.87", "2.078", "1.8"}},
    {fields::UPPER_BOUT_OFFSET, {"0.07", "0.14", "0.17", "0.8", "0.21", "0.625", "0.79", "0.25", "", "0.32", "0.083"}},
    {fields::WAIST_WIDTH, {"9.87", "10.77", "10.2", "24.1", "7.03", "9.382", "11.1", "9.38", "4", "5.763", "4.5"}},
    {fields::WAIST_RADIUS, {"1.84", "5.42", "1.53", "5.9", "2.04", "1.762", "2.15", "2.36", "1.12", "1.723", "1.59"}},
    {fields::WAIST_OFFSET, {"13.26", "13.55", "13.85", "30.5", "10.8", "12.574", "15.13", "12.68", "5.68", "7.338", "6.94"}},
    {fields::HAS_CUTAWAY, {"1", "0", "0", "0", "0", "1", "1", "0", "0", "", ""}},
    {fields::CUTAWAY_TYPE, {"1", "", "", "", "", "0", "1", "", "", "", ""}},
    {fields::CUTAWAY_SIDE_OFFSET, {"0.023", "", "", "", "", "0.306", "0", "", "", "", ""}},
    {fields::CUTAWAY_DEPTH, {"3.1", "", "", "", "", "2.105", "3.33", "", "", "", ""}},
    {fields::CUTAWAY_WIDTH, {"5.01", "", "", "", "", "3.402", "5.6", "", "", "", ""}},
    {fields::CUTAWAY_VALLEY_RADIUS, {"0.99", "", "", "", "", "0", "1.42", "", "", "", ""}},
    {fields::CUTAWAY_POINT_RADIUS, {"1.449", "", "", "", "", "0", "1.52", "", "", "", ""}},
    {fields::TAPER_TYPE, {"1", "", "", "", "", "1", "1", "0", "", "", ""}},
    {fields::NUT_WIDTH, {"1.75", "", "", "", "", "1.625", "1.5", "1.73", "", "", ""}},
    {fields::BOARD_WIDTH_AT_FRET, {"", "", "", "", "", "", "", "2.125", "", "", ""}},
    {fields::BOARD_WIDTH_FRET, {"", "", "", "", "", "", "", "12", "", "", ""}},
    {fields::BRIDGE_STRING_SPACING, {"2.047", "", "", "", "", "2.095", "2.25", "", "", "", ""}},
    {fields::STRING_SETBACK, {".094", "", "", "", "", ".094", ".125", "0.12", "", "", ""}},
    {fields::FIRST_STRING_DIAMETER, {"0.011", "", "", "", "", "0.011", "0.045", "", "", "", ""}},
    {fields::LAST_STRING_DIAMETER, {"0.05", "", "", "", "", "0.05", "0.105", "", "", "", ""}},
    {fields::SOUND_HOLE_X_OFFSET, {"", "", "", "", "", "", "", "0", "", "", ""}},
    {fields::LOWER_BOUT_INCREMENT, {"", "", "", "", "", "", "", "2.38", "0.403", "0.325", "1.09"}},
    {fields::UPPER_BOUT_INCREMENT, {"", "", "", "", "", "", "", "1.34", "", "2.169", "0.78"}},
    {fields::HAS_FRETBOARD, {"", "", "", "", "", "", "1", "1", "0", "", ""}},
    {fields::FRET_COUNT, {"", "", "", "", "", "", "22", "20", "", "", ""}},
    {fields::FRETBOARD_THICKNESS, {"", "", "", "", "", "", "0.25", "0.25", "", "", ""}},
    {fields::NUT_THICKNESS, {"", "", "", "", "", "", "0.25", "0.197", "", "", ""}},
    {fields::FRETWIRE_THICKNESS, {"", "", "", "", "", "", " 0.1", "0.084", "", "", ""}},
    {fields::FRETWIRE_HEIGHT, {"", "", "", "", "", "", "0.05", "0.039", "", "", ""}},
    {fields::HAS_MARKERS, {"", "", "", "", "", "", "1", "0", "", "", ""}},
    {fields::MARKER_DIAMETER, {"", "", "", "", "", "", "0.25", "", "", "", ""}},
    {fields::SIDE_MARKER_DIAMETER, {"", "", "", "", "", "", "0.063", "", "", "", ""}},
    {fields::HAS_STRINGS, {"", "", "", "", "", "", "0", "1", "0", "", ""}},
    {fields::STRING_COUNT, {"", "", "", "", "", "", "", "6", "", "", ""}},
    {fields::STRINGS_PER_COURSE, {"", "", "", "", "", "", "", "1", "", "", ""}},
    {fields::DIAMETER_1, {"", "", "", "", "", "", "", "0.013", "", "", ""}},
    {fields::DIAMETER_2, {"", "", "", "", "", "", "", "0.017", "", "", ""}},
    {fields::DIAMETER_3, {"", "", "", "", "", "", "", "0.026", "", "", ""}},
    {fields::DIAMETER_4, {"", "", "", "", "", "", "", "0.036", "", "", ""}},
    {fields::DIAMETER_5, {"", "", "", "", "", "", "", "0.046", "", "", ""}},
    {fields::DIAMETER_6, {"", "", "", "", "", "", "", "0.056", "", "", ""}},
};
// clang-format on

PresetTable makeTable() {
    PresetTable table;
    for (FieldTexts& row : table)
        row.fill(BLANK);
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        table[row][fields::NAME - 1] = presetNames[row - 1];
        table[row][fields::UNITS - 1] = row == CLASSICAL_ROW ? "CM" : "Inch";
    }
    for (const PresetColumn& column : presetColumns) {
        for (int row = 1; row <= PRESET_COUNT; ++row) {
            const char* text = column.texts[row - 1];
            if (*text)
                table[row][column.field - 1] = text;
        }
    }
    return table;
}

}  // namespace

const PresetTable& builtInPresetTable() {
    static const PresetTable table = makeTable();
    return table;
}

const FieldTexts& presetTexts(int row) {
    return builtInPresetTable().at(static_cast<size_t>(row));
}

const std::string& presetName(int row) {
    static const std::string none;
    if (row < 1 || row > PRESET_COUNT)
        return none;
    return presetTexts(row)[fields::NAME - 1];
}

int presetByName(const std::string& name) {
    const std::string wanted = lowerCase(name);
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        if (lowerCase(presetName(row)) == wanted)
            return row;
    }
    return -1;
}

void loadTexts(Design& design, const FieldTexts& texts) {
    // Every field is committed as it is set, so no value depends on focus
    // events reaching the entries; switches and choices are set whatever
    // state they were in before.
    for (int k = 1; k <= FIELD_COUNT; ++k)
        setFieldText(design, k, texts[k - 1]);
}

}  // namespace bowlyn

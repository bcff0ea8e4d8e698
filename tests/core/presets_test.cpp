#include "model/presets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/form_editing.h"
#include "model/number_text.h"
#include "model_test_support.h"
#include "test_document.h"

namespace bowlyn {
namespace {

class Presets : public ::testing::Test {
  protected:
    testing::TestDocument t;
    Design& design = t.design;

    int32_t flag(int k) const { return static_cast<int32_t>(fieldValue(design.params, k)); }
    // Whether every pair of radio buttons of `field` shows `value`.
    bool everyPairShows(int field, int value) const {
        for (size_t p = 0; p < choicePairs().size(); ++p) {
            if (choicePairs()[p].field == field && design.shownChoices[p] != value)
                return false;
        }
        return true;
    }
};

TEST_F(Presets, ClearAfterAFullPresetGivesTheBlankForm) {
    loadTexts(design, presetTexts(1));  // cutaway, Venetian, string-spacing taper
    t.session.mode = DrawingMode::Final;
    t.session.load(presetTexts(CLEAR_ROW), "");

    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (def.kind == FieldKind::Boolean) {
            EXPECT_EQ(flag(k), 0) << def.label;
        } else if (def.kind != FieldKind::Choice && def.kind != FieldKind::Units) {
            EXPECT_EQ(design.text(k), " ") << def.label;
        }
        if (isEntryKind(def.kind)) {
            const double v = fieldValue(design.params, k);
            EXPECT_TRUE(def.blankIsUnset ? std::isnan(v) : v == 0.0) << def.label;
        }
    }
    EXPECT_TRUE(everyPairShows(fields::CUTAWAY_TYPE, 0));
    EXPECT_TRUE(everyPairShows(fields::TAPER_TYPE, 0));
    EXPECT_EQ(design.params.units + design.params.hasCutaway + design.params.cutawayType +
                  design.params.taperType + design.params.hasFretboard + design.params.hasMarkers +
                  design.params.hasStrings,
              0);
    EXPECT_EQ(t.session.mode, DrawingMode::Final);  // loading leaves the drawing mode alone
}

// Whatever order the loader uses, afterwards every value is the conversion of
// its field's text and every choice agrees with its flag; a load forgets the
// last pass and begins typing on the first page.
TEST_F(Presets, EveryPresetLoadsAsItsTextsRead) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        loadTexts(design, presetTexts(presetRows::OM));
        ASSERT_EQ(t.pass(), STATUS_OK);
        const int editing = t.display.editingStarted;
        t.session.load(presetTexts(row), "");
        const FieldTexts& texts = presetTexts(row);
        DesignParameters expected;
        for (int k = 1; k <= FIELD_COUNT; ++k) {
            const FieldDef& def = field(k);
            const std::string& text = texts[k - 1];
            switch (def.kind) {
                case FieldKind::Text:
                    EXPECT_EQ(design.text(k), text);
                    break;
                case FieldKind::Units:
                    EXPECT_EQ(design.params.units, text == "Inch" ? 0 : 1) << row;
                    break;
                case FieldKind::Boolean:
                    EXPECT_EQ(flag(k), roundToInt32(readNumber(text))) << row << def.label;
                    break;
                case FieldKind::Choice:
                    EXPECT_EQ(flag(k), roundToInt32(readNumber(text)) == 0 ? 0 : 1) << row;
                    EXPECT_TRUE(everyPairShows(k, flag(k))) << row << def.label;
                    break;
                default:
                    storeFieldText(expected, k, text);
                    EXPECT_EQ(doubleToText(fieldValue(design.params, k)),
                              doubleToText(fieldValue(expected, k)))
                        << row << def.label;
                    EXPECT_EQ(design.text(k), text) << row << def.label;
            }
        }
        EXPECT_FALSE(t.session.complete());
        EXPECT_EQ(t.display.editingStarted, editing + 1);
    }
}

TEST_F(Presets, TextsAndNames) {
    const PresetTable& table = builtInPresetTable();
    EXPECT_EQ(table[2][fields::BODY_LENGTH - 1], "20.09");
    EXPECT_EQ(table[7][fields::FRETWIRE_THICKNESS - 1], " 0.1");  // as typed
    EXPECT_EQ(table[8][fields::STRING_SETBACK - 1], "0.12");
    EXPECT_EQ(table[1][fields::STRING_SETBACK - 1], ".094");
    EXPECT_EQ(table[8][fields::DIAMETER_16 - 1], " ");
    for (const auto& text : table[CLEAR_ROW])
        EXPECT_EQ(text, " ");
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        EXPECT_EQ(table[row][fields::UNITS - 1], row == 4 ? "CM" : "Inch");
    }
    EXPECT_EQ(presetName(1), "Archtop 16'' w/ Venetian cutaway");
    EXPECT_EQ(presetByName("tenor UKE"), 10);
    EXPECT_EQ(presetByName("Banjo"), -1);
    EXPECT_EQ(presetName(12), "");
}

TEST_F(Presets, SpecificPresetsSetTheirChoices) {
    loadTexts(design, presetTexts(4));  // Classical
    EXPECT_EQ(design.params.units, UNITS_CM);

    loadTexts(design, presetTexts(8));  // OM: taper from the board width
    EXPECT_TRUE(everyPairShows(fields::TAPER_TYPE, TAPERTYPEBOARDWIDTH));
    EXPECT_EQ(design.text(fields::BOARD_WIDTH_AT_FRET), "2.125");
    EXPECT_EQ(design.params.boardWidthFret, 12);
    EXPECT_EQ(design.params.units, UNITS_INCH);

    loadTexts(design, presetTexts(7));  // ABG
    EXPECT_EQ(design.params.fretwireThickness, 0.1f);
    EXPECT_TRUE(everyPairShows(fields::TAPER_TYPE, STRINGSPACING));
    EXPECT_TRUE(everyPairShows(fields::CUTAWAY_TYPE, CUTAWAYTYPEVENETIAN));
    EXPECT_EQ(design.params.hasCutaway, 1);

    EXPECT_THROW(presetTexts(99), std::out_of_range);  // no row to load
}

}  // namespace
}  // namespace bowlyn

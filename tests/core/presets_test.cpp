#include "model/presets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/form_editing.h"
#include "model/number_text.h"
#include "model_test_support.h"

namespace bowlyn {
namespace {

class Presets : public ::testing::Test, protected FormAndDesign {
  protected:
    int32_t flag(int k) const { return static_cast<int32_t>(fieldValue(design.params, k)); }
};

TEST_F(Presets, ClearAfterAFullPresetGivesTheBlankForm) {
    loadPreset(design, 1);  // cutaway, Venetian, string-spacing taper
    design.finalDrawing = 1;
    clearWorkRow(design);
    loadPreset(design, WORK_ROW);

    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (def.kind == FieldKind::Boolean) {
            EXPECT_FALSE(form.active(def.widgets[0])) << def.label;
        } else if (def.kind != FieldKind::Choice && def.kind != FieldKind::Units) {
            for (const auto& w : def.widgets)
                EXPECT_EQ(form.text(w), " ") << w;
        }
        if (isEntryKind(def.kind)) {
            const double v = fieldValue(design.params, k);
            EXPECT_TRUE(def.blankIsUnset ? std::isnan(v) : v == 0.0) << def.label;
        }
    }
    EXPECT_TRUE(form.active("radiobuttonCutawayFlorentine"));
    EXPECT_TRUE(form.visible("fixedCutawayParamsFlorentineVisibility"));
    EXPECT_FALSE(form.visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_TRUE(form.active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form.active("radiobuttonFretboardWidthAtFret"));
    EXPECT_FALSE(form.visible("fixedFretboardTaperFromStringSpacingVisibility"));
    for (const char* c : {"fixedCutawaySensitivity", "fixedFretboardSensitivity", "fixedStringsTab",
                          "fixedStringsSensitivity"}) {
        EXPECT_FALSE(form.sensitive(c)) << c;
    }
    EXPECT_EQ(form.unitsIndex(), 0);
    EXPECT_EQ(design.params.units + design.params.hasCutaway + design.params.cutawayType +
                  design.params.taperType + design.params.hasFretboard + design.params.hasMarkers +
                  design.params.hasStrings,
              0);
    EXPECT_EQ(design.finalDrawing, 1);  // loading leaves the drawing mode alone
}

// Whatever order the loader uses, afterwards every value is the conversion of
// its entry's text and every control agrees with its flag.
TEST_F(Presets, EveryPresetLoadsAsItsTextsRead) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        design.outlineComplete = 1;
        form.setNotebookPage(3);
        loadPreset(design, row);
        const PresetRow& texts = design.presets[row];
        DesignParameters expected;
        for (int k = 1; k <= FIELD_COUNT; ++k) {
            const FieldDef& def = field(k);
            const std::string& t = texts[k - 1];
            switch (def.kind) {
                case FieldKind::Text:
                    EXPECT_EQ(form.text("entryDescription"), t);
                    break;
                case FieldKind::Units:
                    EXPECT_EQ(design.params.units, t == "Inch" ? 0 : 1) << row;
                    break;
                case FieldKind::Boolean:
                    EXPECT_EQ(flag(k), roundToInt32(readNumber(t))) << row << def.label;
                    EXPECT_EQ(form.active(def.widgets[0]), flag(k) == 1) << row << def.label;
                    break;
                case FieldKind::Choice:
                    EXPECT_EQ(flag(k), roundToInt32(readNumber(t)) == 0 ? 0 : 1) << row;
                    for (size_t pair = 0; pair < def.widgets.size(); pair += 2)
                        EXPECT_TRUE(form.active(def.widgets[pair + flag(k)])) << row << def.label;
                    break;
                default:
                    storeFieldText(expected, k, t);
                    EXPECT_EQ(doubleToText(fieldValue(design.params, k)),
                              doubleToText(fieldValue(expected, k)))
                        << row << def.label;
                    for (const auto& w : def.widgets)
                        EXPECT_EQ(form.text(w), t) << row << w;
            }
        }
        EXPECT_EQ(design.outlineComplete, 0);
        EXPECT_EQ(form.notebookPage(), 0);
    }
}

TEST_F(Presets, TextsAndNames) {
    const PresetTable table = builtInPresetTable();
    EXPECT_EQ(table[2][fields::BODY_LENGTH - 1], "20.09");
    EXPECT_EQ(table[7][fields::FRETWIRE_THICKNESS - 1], " 0.1");  // as typed
    EXPECT_EQ(table[8][fields::STRING_SETBACK - 1], "0.12");
    EXPECT_EQ(table[1][fields::STRING_SETBACK - 1], ".094");
    EXPECT_EQ(table[8][fields::DIAMETER_16 - 1], " ");
    for (const auto& text : table[WORK_ROW])
        EXPECT_EQ(text, " ");
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        EXPECT_EQ(table[row][fields::UNITS - 1], row == 4 ? "CM" : "Inch");
    }
    EXPECT_EQ(presetName(1), "Archtop 16'' w/ Venetian cutaway");
    EXPECT_EQ(presetByName("tenor UKE"), 10);
    EXPECT_EQ(presetByName("Banjo"), -1);
    EXPECT_EQ(presetName(12), "");
}

TEST_F(Presets, SpecificPresetsShowTheirControls) {
    loadPreset(design, 4);  // Classical
    EXPECT_EQ(form.unitsIndex(), 1);
    EXPECT_EQ(form.text("labelUnits2"), "except as noted.");

    loadPreset(design, 8);  // OM: taper from the board width
    EXPECT_TRUE(form.visible("fixedCutawayTaperFromNeckWidthVisibility"));
    EXPECT_TRUE(form.visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_FALSE(form.visible("fixedFretboardTaperFromStringSpacingVisibility"));
    EXPECT_EQ(form.text("entryFretboardTaperFromNeckWidthWidth"), "2.125");
    EXPECT_EQ(design.params.boardWidthFret, 12);
    EXPECT_EQ(form.text("labelUnits2"), " ");

    loadPreset(design, 7);  // ABG
    EXPECT_EQ(design.params.fretwireThickness, 0.1f);
    EXPECT_TRUE(form.visible("fixedCutawayTaperFromStringSpacingVisibility"));
    EXPECT_TRUE(form.visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_TRUE(form.sensitive("fixedCutawaySensitivity"));

    loadPreset(design, 99);  // out of range: nothing happens
    EXPECT_EQ(design.params.fretwireThickness, 0.1f);
}

}  // namespace
}  // namespace bowlyn

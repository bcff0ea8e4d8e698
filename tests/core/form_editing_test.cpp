#include "model/form_editing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/number_text.h"
#include "model_test_support.h"

namespace bowlyn {
namespace {

class FormEditing : public ::testing::Test, protected FormAndDesign {};

TEST_F(FormEditing, GroupCommitStoresOnceAndCopiesTextToEveryTab) {
    form.setText("entryFretboardParmsJoinsAtFret", "14.6");
    ASSERT_TRUE(commitEntryWidget(design, "entryFretboardParmsJoinsAtFret"));
    EXPECT_EQ(design.params.neckJoinsAtFret, 15);
    for (const char* w : {"entryNeckJoinsBodyAtFret", "entryCutawayTaperParmsJoinsAtFret",
                          "entryFretboardParmsJoinsAtFret"}) {
        EXPECT_EQ(form.text(w), "14.6") << w;
    }

    form.setText("entryStringsSetback", "1/8");
    commitEntryWidget(design, "entryStringsSetback");
    EXPECT_FLOAT_EQ(design.params.stringSetback, 0.125f);
    EXPECT_EQ(form.text("entryCutawayTaperFromStringSpacingSetback"), "1/8");
    EXPECT_EQ(form.text("entryFretboardTaperFromStringSpacingSetback"), "1/8");

    // Integers round halves to even.
    syncBoardWidthFret(design, "14.5");
    EXPECT_EQ(design.params.boardWidthFret, 14);
}

TEST_F(FormEditing, PlainCommitHalvesWidthsAndKeepsTheText) {
    form.setText("entryLBWidth", "16");
    commitEntryWidget(design, "entryLBWidth");
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.0f);

    form.setText("entryLength", "1 3/4");
    commitEntry(design, 3);
    EXPECT_EQ(design.params.bodyLength, 1.75f);
    EXPECT_EQ(form.text("entryLength"), "1 3/4");

    EXPECT_FALSE(commitEntryWidget(design, "labelStatusText"));
}

TEST_F(FormEditing, StepperTableMatchesTheFieldTable) {
    int count = 0;
    const Stepper* table = steppers(count);
    ASSERT_EQ(count, 21);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(fieldByEntry(table[i].entry), table[i].field) << table[i].entry;
        EXPECT_EQ(table[i].allowNegative, std::string(table[i].entry) == "entryHoleHOffset");
    }
    EXPECT_EQ(stepperForEntry("entryLB2Radius")->stepClass, StepClass::Medium);
    EXPECT_EQ(stepperForEntry("entryUB2Radius")->stepClass, StepClass::Fine);
    EXPECT_EQ(stepperForEntry("entryScaleLength"), nullptr);
}

struct StepCase {
    const char* entry;
    int units;
    const char* text;
    StepDirection direction;
    const char* shown;
    double stored;  // as fieldValue reports it (full widths)
};

TEST_F(FormEditing, SteppersStepTheTextCommitAndLeaveTheFinalDrawing) {
    const auto inc = StepDirection::Increase, dec = StepDirection::Decrease;
    const StepCase cases[] = {
        {"entryLength", 0, "20.65", inc, "20.9", 20.9f},
        {"entryLength", 1, "49.4", inc, "50.4", 50.4f},
        {"entryLBOffset", 0, "0.02", dec, "0", 0},
        {"entryHoleHOffset", 0, "0", dec, "-0.1", -0.1f},
        {"entryHoleHOffset", 1, "0", dec, "-0.5", -0.5f},
        {"entryLength", 0, " ", inc, "0.25", 0.25},
        {"entryLength", 0, "1 3/4", inc, "2", 2},
        {"entryLBWidth", 0, "16", inc, "16.25", 16.25},
        {"entryUB2Radius", 1, "1", inc, "1.2", 1.2f},
        // Texts without a finite value still give a finite number.
        {"entryLength", 0, "0/0", inc, "0.25", 0.25},
        {"entryLength", 0, "1e39", inc, "3.402823e+38", 3.402823e+38f},
    };
    for (const StepCase& c : cases) {
        design.params.units = c.units;
        design.finalDrawing = 1;
        form.setText(c.entry, c.text);
        const Stepper* s = stepperForEntry(c.entry);
        applyStepper(design, *s, c.direction);
        EXPECT_EQ(form.text(c.entry), c.shown) << c.entry << " " << c.text;
        EXPECT_FLOAT_EQ(static_cast<float>(fieldValue(design.params, s->field)),
                        static_cast<float>(c.stored))
            << c.entry << " " << c.text;
        EXPECT_EQ(design.finalDrawing, 0);
    }
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.125f);
}

TEST_F(FormEditing, TaperChoiceOnTheFretboardTabLeavesTheCutawayTab) {
    selectTaperBoardWidth(design);
    form.setActive("radiobuttonFretboardStringSpacing", true);
    applyFretboardTaperStringSpacing(design, true);
    EXPECT_EQ(design.params.taperType, STRINGSPACING);
    EXPECT_TRUE(form.visible("fixedFretboardTaperFromStringSpacingVisibility"));
    EXPECT_FALSE(form.visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_TRUE(form.active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form.visible("fixedCutawayTaperFromNeckWidthVisibility"));
    EXPECT_FALSE(form.visible("fixedCutawayTaperFromStringSpacingVisibility"));

    // The button that lost the choice reports inactive and changes nothing.
    applyFretboardTaperBoardWidth(design, false);
    applyCutawayFlorentine(design, false);
    EXPECT_EQ(design.params.taperType, STRINGSPACING);

    selectTaperStringSpacing(design);
    EXPECT_TRUE(form.active("radiobuttonCutawayStringSpacing"));
    EXPECT_FALSE(form.visible("fixedCutawayTaperFromNeckWidthVisibility"));
}

TEST_F(FormEditing, SwitchesSetFlagsAndDependentControls) {
    design.params.hasStrings = 1;
    applyHasFretboard(design, false);
    EXPECT_FALSE(form.sensitive("fixedFretboardSensitivity"));
    EXPECT_FALSE(form.sensitive("fixedStringsTab"));
    EXPECT_EQ(design.params.hasStrings, 1);

    applyCutawayVenetian(design, true);
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_FALSE(form.visible("fixedCutawayParamsFlorentineVisibility"));

    syncScaleLength(design, "20");
    applyUnits(design, 1);
    EXPECT_EQ(form.text("labelUnits2"), "except as noted.");
    EXPECT_EQ(design.params.scaleLength, 20.0f);
}

TEST_F(FormEditing, SetFieldTextReadsSwitchesLikeALoadedDesign) {
    setFieldText(design, fields::HAS_CUTAWAY, "1,TRUE");
    EXPECT_TRUE(form.active("checkbuttonCutawayHasCutaway"));
    EXPECT_TRUE(form.sensitive("fixedCutawaySensitivity"));

    // Only a text reading 1 switches on, and every flag is then exactly its
    // button's state, whatever number the text held.
    const int32_t* flags[] = {&design.params.hasCutaway, &design.params.hasFretboard,
                              &design.params.hasMarkers, &design.params.hasStrings};
    const int switches[] = {fields::HAS_CUTAWAY, fields::HAS_FRETBOARD, fields::HAS_MARKERS,
                            fields::HAS_STRINGS};
    for (int i = 0; i < 4; ++i) {
        const std::string& button = field(switches[i]).widgets[0];
        for (const char* text : {"2", "3/0", "1.5", "-1", "1e39", "0.6", "1,TRUE"}) {
            setFieldText(design, switches[i], text);
            const bool on = roundToInt32(readNumber(text)) == 1;
            EXPECT_EQ(form.active(button), on) << button << " " << text;
            EXPECT_EQ(*flags[i], on ? 1 : 0) << button << " " << text;
        }
    }
    setFieldText(design, fields::HAS_CUTAWAY, "2");
    EXPECT_FALSE(form.sensitive("fixedCutawaySensitivity"));

    setFieldText(design, fields::CUTAWAY_TYPE, "3");
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_TRUE(form.active("radiobuttonCutawayVenetian"));

    setFieldText(design, fields::UNITS, "CM");
    EXPECT_EQ(form.unitsIndex(), 1);
    setFieldText(design, fields::UNITS, "Inch");
    EXPECT_EQ(design.params.units, 0);
    EXPECT_EQ(form.text("labelUnits2"), " ");

    setFieldText(design, fields::NUT_WIDTH, "1.75");
    EXPECT_EQ(form.text("entryCutawayTaperParmsNutWidth"), "1.75");
    EXPECT_EQ(design.params.nutWidth, 1.75f);
}

}  // namespace
}  // namespace bowlyn

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
    syncGroup(design, fields::BOARD_WIDTH_FRET, "14.5");
    EXPECT_EQ(design.params.boardWidthFret, 14);
    EXPECT_EQ(form.text("entryFretboardTaperFromNeckWidthFret"), "14.5");
}

TEST_F(FormEditing, PlainCommitHalvesWidthsAndKeepsTheText) {
    form.setText("entryLBWidth", "16");
    commitEntryWidget(design, "entryLBWidth");
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.0f);

    form.setText("entryLength", "1 3/4");
    commitEntryWidget(design, "entryLength");
    EXPECT_EQ(design.params.bodyLength, 1.75f);
    EXPECT_EQ(form.text("entryLength"), "1 3/4");

    // The fret count is held unsigned.
    form.setText("entryFretboardParmsFrets", "19.5");
    commitEntryWidget(design, "entryFretboardParmsFrets");
    EXPECT_EQ(design.params.fretCount, 20u);
    form.setText("entryFretboardParmsFrets", "-1");
    commitEntryWidget(design, "entryFretboardParmsFrets");
    EXPECT_EQ(design.params.fretCount, 0xffffffffu);
    EXPECT_EQ(fieldValue(design.params, fields::FRET_COUNT), -1.0);

    EXPECT_TRUE(commitEntryWidget(design, "entryDescription"));  // nothing to store
    EXPECT_FALSE(commitEntryWidget(design, "labelStatusText"));
    EXPECT_FALSE(commitEntryWidget(design, "checkbuttonCutawayHasCutaway"));
}

struct StepCase {
    const char* entry;
    int units;
    const char* text;
    StepDirection direction;
    const char* shown;
    double stored;  // as fieldValue reports it (full widths)
    int field;
};

TEST_F(FormEditing, SteppersStepTheTextCommitAndLeaveTheFinalDrawing) {
    const auto inc = StepDirection::Increase, dec = StepDirection::Decrease;
    using namespace fields;
    const StepCase cases[] = {
        {"entryLength", 0, "20.65", inc, "20.9", 20.9f, BODY_LENGTH},
        {"entryLength", 1, "49.4", inc, "50.4", 50.4f, BODY_LENGTH},
        {"entryLBOffset", 0, "0.02", dec, "0", 0, LOWER_BOUT_OFFSET},
        {"entryHoleHOffset", 0, "0", dec, "-0.1", -0.1f, SOUND_HOLE_X_OFFSET},
        {"entryHoleHOffset", 1, "0", dec, "-0.5", -0.5f, SOUND_HOLE_X_OFFSET},
        {"entryLength", 0, " ", inc, "0.25", 0.25, BODY_LENGTH},
        {"entryLength", 0, "1 3/4", inc, "2", 2, BODY_LENGTH},
        {"entryLBWidth", 0, "16", inc, "16.25", 16.25, LOWER_BOUT_WIDTH},
        {"entryUB2Radius", 1, "1", inc, "1.2", 1.2f, UPPER_BOUT_INCREMENT},
        {"entryLB2Radius", 0, "1", dec, "0.9", 0.9f, LOWER_BOUT_INCREMENT},
        // Texts without a finite value still give a finite number.
        {"entryLength", 0, "0/0", inc, "0.25", 0.25, BODY_LENGTH},
        {"entryLength", 0, "1e39", inc, "3.402823e+38", 3.402823e+38f, BODY_LENGTH},
    };
    for (const StepCase& c : cases) {
        design.params.units = c.units;
        design.finalDrawing = 1;
        form.setText(c.entry, c.text);
        ASSERT_TRUE(applyStepper(design, c.entry, c.direction)) << c.entry;
        EXPECT_EQ(form.text(c.entry), c.shown) << c.entry << " " << c.text;
        EXPECT_FLOAT_EQ(static_cast<float>(fieldValue(design.params, c.field)),
                        static_cast<float>(c.stored))
            << c.entry << " " << c.text;
        EXPECT_EQ(design.finalDrawing, 0);
    }
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.125f);

    // Entries without steppers are left alone.
    design.finalDrawing = 1;
    form.setText("entryScaleLength", "25");
    EXPECT_FALSE(applyStepper(design, "entryScaleLength", inc));
    EXPECT_EQ(form.text("entryScaleLength"), "25");
    EXPECT_EQ(design.finalDrawing, 1);
}

// The switches as their handlers call them: the button's name and new state.
TEST_F(FormEditing, TaperChoiceOnTheFretboardTabLeavesTheCutawayTab) {
    setFieldText(design, fields::TAPER_TYPE, "0");
    form.setActive("radiobuttonFretboardStringSpacing", true);
    applySwitch(design, "radiobuttonFretboardStringSpacing", true);
    EXPECT_EQ(design.params.taperType, STRINGSPACING);
    EXPECT_TRUE(form.visible("fixedFretboardTaperFromStringSpacingVisibility"));
    EXPECT_FALSE(form.visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_TRUE(form.active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form.visible("fixedCutawayTaperFromNeckWidthVisibility"));
    EXPECT_FALSE(form.visible("fixedCutawayTaperFromStringSpacingVisibility"));

    // The button that lost the choice reports inactive and changes nothing.
    applySwitch(design, "radiobuttonFretboardWidthAtFret", false);
    applySwitch(design, "radiobuttonCutawayFlorentine", false);
    EXPECT_EQ(design.params.taperType, STRINGSPACING);
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEFLORENTINE);

    // The cutaway tab's pair chooses on both tabs.
    form.setActive("radiobuttonCutawayStringSpacing", true);
    applySwitch(design, "radiobuttonCutawayStringSpacing", true);
    EXPECT_FALSE(form.visible("fixedCutawayTaperFromNeckWidthVisibility"));
    EXPECT_TRUE(form.visible("fixedCutawayTaperFromStringSpacingVisibility"));
    form.setActive("radiobuttonCutawayWidthAtFret", true);
    applySwitch(design, "radiobuttonCutawayWidthAtFret", true);
    EXPECT_EQ(design.params.taperType, TAPERTYPEBOARDWIDTH);
    EXPECT_TRUE(form.active("radiobuttonFretboardWidthAtFret"));
    EXPECT_FALSE(form.active("radiobuttonFretboardStringSpacing"));
    EXPECT_TRUE(form.visible("fixedFretboardTaperFromNeckWidthVisibility"));
    EXPECT_FALSE(form.visible("fixedFretboardTaperFromStringSpacingVisibility"));
}

TEST_F(FormEditing, SwitchesSetFlagsAndDependentControls) {
    design.params.hasStrings = 1;
    applySwitch(design, "checkbuttonFretboardHasFretboard", true);
    EXPECT_EQ(design.params.hasFretboard, 1);
    applySwitch(design, "checkbuttonFretboardHasFretboard", false);
    EXPECT_EQ(design.params.hasFretboard, 0);
    EXPECT_FALSE(form.sensitive("fixedFretboardSensitivity"));
    EXPECT_FALSE(form.sensitive("fixedStringsTab"));
    EXPECT_EQ(design.params.hasStrings, 1);

    applySwitch(design, "checkbuttonFretboardMarkersHasMarkers", true);
    EXPECT_EQ(design.params.hasMarkers, 1);

    form.setActive("radiobuttonCutawayVenetian", true);
    applySwitch(design, "radiobuttonCutawayVenetian", true);
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_FALSE(form.visible("fixedCutawayParamsFlorentineVisibility"));
    EXPECT_TRUE(form.visible("fixedCutawayParamsVenetianVisibility"));

    syncGroup(design, fields::SCALE_LENGTH, "20");
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
        const std::string& button = field(switches[i]).widgets.front();
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

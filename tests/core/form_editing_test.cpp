#include "model/form_editing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/number_text.h"
#include "model_test_support.h"

namespace bowlyn {
namespace {

class FormEditing : public ::testing::Test {
  protected:
    Design design;

    // The value the `k`-th pair of radio buttons of `field` shows.
    int shown(int field, size_t k) const { return design.shownChoices[choicePair(field, k)]; }
};

TEST_F(FormEditing, GroupCommitStoresOnceAndKeepsTheTextForEveryTab) {
    commitText(design, fields::JOINS_AT_FRET, "14.6");
    EXPECT_EQ(design.params.neckJoinsAtFret, 15);
    EXPECT_EQ(design.text(fields::JOINS_AT_FRET), "14.6");

    commitText(design, fields::STRING_SETBACK, "1/8");
    EXPECT_FLOAT_EQ(design.params.stringSetback, 0.125f);
    EXPECT_EQ(design.text(fields::STRING_SETBACK), "1/8");

    // Integers round halves to even.
    commitText(design, fields::BOARD_WIDTH_FRET, "14.5");
    EXPECT_EQ(design.params.boardWidthFret, 14);
    EXPECT_EQ(design.text(fields::BOARD_WIDTH_FRET), "14.5");
}

TEST_F(FormEditing, PlainCommitHalvesWidthsAndKeepsTheText) {
    commitText(design, fields::LOWER_BOUT_WIDTH, "16");
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.0f);

    commitText(design, fields::BODY_LENGTH, "1 3/4");
    EXPECT_EQ(design.params.bodyLength, 1.75f);
    EXPECT_EQ(design.text(fields::BODY_LENGTH), "1 3/4");

    // The fret count is held unsigned.
    commitText(design, fields::FRET_COUNT, "19.5");
    EXPECT_EQ(design.params.fretCount, 20u);
    commitText(design, fields::FRET_COUNT, "-1");
    EXPECT_EQ(design.params.fretCount, 0xffffffffu);
    EXPECT_EQ(fieldValue(design.params, fields::FRET_COUNT), -1.0);

    // The name has a text and nothing to store; typing alone stores nothing.
    const DesignParameters before = design.params;
    commitText(design, fields::NAME, "OM");
    typeText(design, fields::BODY_LENGTH, "30");
    EXPECT_EQ(design.text(fields::NAME), "OM");
    EXPECT_EQ(design.text(fields::BODY_LENGTH), "30");
    EXPECT_TRUE(sameParameters(design.params, before));
    // Switches keep no text.
    commitText(design, fields::HAS_CUTAWAY, "1");
    EXPECT_EQ(design.text(fields::HAS_CUTAWAY), "");
}

struct StepCase {
    int units;
    const char* text;
    StepDirection direction;
    const char* shown;
    double stored;  // as fieldValue reports it (full widths)
    int field;
};

TEST_F(FormEditing, SteppersStepTheTextAndCommit) {
    const auto inc = StepDirection::Increase, dec = StepDirection::Decrease;
    using namespace fields;
    const StepCase cases[] = {
        {0, "20.65", inc, "20.9", 20.9f, BODY_LENGTH},
        {1, "49.4", inc, "50.4", 50.4f, BODY_LENGTH},
        {0, "0.02", dec, "0", 0, LOWER_BOUT_OFFSET},
        {0, "0", dec, "-0.1", -0.1f, SOUND_HOLE_X_OFFSET},
        {1, "0", dec, "-0.5", -0.5f, SOUND_HOLE_X_OFFSET},
        {0, " ", inc, "0.25", 0.25, BODY_LENGTH},
        {0, "1 3/4", inc, "2", 2, BODY_LENGTH},
        {0, "16", inc, "16.25", 16.25, LOWER_BOUT_WIDTH},
        {1, "1", inc, "1.2", 1.2f, UPPER_BOUT_INCREMENT},
        {0, "1", dec, "0.9", 0.9f, LOWER_BOUT_INCREMENT},
        // Texts without a finite value still give a finite number.
        {0, "0/0", inc, "0.25", 0.25, BODY_LENGTH},
        {0, "1e39", inc, "3.402823e+38", 3.402823e+38f, BODY_LENGTH},
    };
    for (const StepCase& c : cases) {
        setUnits(design, c.units);
        typeText(design, c.field, c.text);
        const char* label = field(c.field).label;
        ASSERT_TRUE(applyStepper(design, steppedEntry(c.field), c.direction)) << label;
        EXPECT_EQ(design.text(c.field), c.shown) << label << " " << c.text;
        EXPECT_FLOAT_EQ(static_cast<float>(fieldValue(design.params, c.field)),
                        static_cast<float>(c.stored))
            << label << " " << c.text;
    }
    EXPECT_EQ(design.params.lowerBoutHalfWidth, 8.125f);

    // Entries without steppers are left alone.
    commitText(design, SCALE_LENGTH, "25");
    EXPECT_FALSE(applyStepper(design, *controlNamed(field(SCALE_LENGTH).widgets.front()), inc));
    EXPECT_EQ(design.text(SCALE_LENGTH), "25");
}

// The switches as their handlers call them: the pair a radio button belongs
// to and its value, a check button's field and new state.
TEST_F(FormEditing, TaperChoiceOnTheFretboardTabLeavesTheCutawayTab) {
    setFieldText(design, fields::TAPER_TYPE, "0");
    chooseInPair(design, choicePair(fields::TAPER_TYPE, 1), STRINGSPACING);
    EXPECT_EQ(design.params.taperType, STRINGSPACING);
    EXPECT_EQ(shown(fields::TAPER_TYPE, 1), 1);  // the fretboard tab's pair
    EXPECT_EQ(shown(fields::TAPER_TYPE, 0), 0);  // the cutaway tab's

    // The cutaway tab's pair chooses on both tabs.
    chooseInPair(design, choicePair(fields::TAPER_TYPE, 0), STRINGSPACING);
    EXPECT_EQ(shown(fields::TAPER_TYPE, 0), 1);
    chooseInPair(design, choicePair(fields::TAPER_TYPE, 0), TAPERTYPEBOARDWIDTH);
    EXPECT_EQ(design.params.taperType, TAPERTYPEBOARDWIDTH);
    EXPECT_EQ(shown(fields::TAPER_TYPE, 0), 0);
    EXPECT_EQ(shown(fields::TAPER_TYPE, 1), 0);
}

TEST_F(FormEditing, SwitchesSetFlags) {
    design.params.hasStrings = 1;
    setSwitch(design, fields::HAS_FRETBOARD, true);
    EXPECT_EQ(design.params.hasFretboard, 1);
    setSwitch(design, fields::HAS_FRETBOARD, false);
    EXPECT_EQ(design.params.hasFretboard, 0);
    EXPECT_EQ(design.params.hasStrings, 1);

    setSwitch(design, fields::HAS_MARKERS, true);
    EXPECT_EQ(design.params.hasMarkers, 1);

    chooseInPair(design, choicePair(fields::CUTAWAY_TYPE), CUTAWAYTYPEVENETIAN);
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_EQ(shown(fields::CUTAWAY_TYPE, 0), 1);

    commitText(design, fields::SCALE_LENGTH, "20");
    setUnits(design, 1);
    EXPECT_EQ(design.params.units, UNITS_CM);
    EXPECT_EQ(design.params.scaleLength, 20.0f);
}

TEST_F(FormEditing, SetFieldTextReadsSwitchesLikeALoadedDesign) {
    setFieldText(design, fields::HAS_CUTAWAY, "1,TRUE");
    EXPECT_EQ(design.params.hasCutaway, 1);

    // Only a text reading 1 switches on, and every flag is then exactly its
    // button's state, whatever number the text held.
    const bool* flags[] = {&design.params.hasCutaway, &design.params.hasFretboard,
                           &design.params.hasMarkers, &design.params.hasStrings};
    const int switches[] = {fields::HAS_CUTAWAY, fields::HAS_FRETBOARD, fields::HAS_MARKERS,
                            fields::HAS_STRINGS};
    for (int i = 0; i < 4; ++i) {
        for (const char* text : {"2", "3/0", "1.5", "-1", "1e39", "0.6", "1,TRUE"}) {
            setFieldText(design, switches[i], text);
            const bool on = roundToInt32(readNumber(text)) == 1;
            EXPECT_EQ(*flags[i], on) << field(switches[i]).label << " " << text;
        }
    }

    setFieldText(design, fields::CUTAWAY_TYPE, "3");
    EXPECT_EQ(design.params.cutawayType, CUTAWAYTYPEVENETIAN);
    EXPECT_EQ(shown(fields::CUTAWAY_TYPE, 0), 1);

    setFieldText(design, fields::UNITS, "CM");
    EXPECT_EQ(design.params.units, 1);
    setFieldText(design, fields::UNITS, "Inch");
    EXPECT_EQ(design.params.units, 0);

    setFieldText(design, fields::NUT_WIDTH, "1.75");
    EXPECT_EQ(design.text(fields::NUT_WIDTH), "1.75");
    EXPECT_EQ(design.params.nutWidth, 1.75f);
}

}  // namespace
}  // namespace bowlyn

#include "model/edit_history.h"

#include <gtest/gtest.h>

#include "commands/edit_commands.h"
#include "model/form_editing.h"
#include "model/parameter_file.h"
#include "model/presets.h"
#include "test_document.h"

namespace bowlyn {
namespace {

using testing::TestDocument;

FormState numbered(int n) {
    FormState s;
    s.controls = {std::to_string(n)};
    return s;
}

TEST(EditHistory, UndoAndRedoWalkTheCommittedStates) {
    EditHistory h;
    h.start(numbered(0));
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.note(numbered(0)));  // no change, no step
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(h.note(numbered(i)));
    EXPECT_EQ(h.undo(), numbered(2));
    EXPECT_EQ(h.undo(), numbered(1));
    EXPECT_TRUE(h.canRedo());
    EXPECT_EQ(h.redo(), numbered(2));
    // A new change forgets what could have been redone.
    EXPECT_TRUE(h.note(numbered(9)));
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.undo(), numbered(2));
    EXPECT_EQ(h.undo(), numbered(1));
    EXPECT_EQ(h.undo(), numbered(0));
    EXPECT_FALSE(h.canUndo());

    // While paused nothing is a change of its own.
    {
        HistoryPause pause(h);
        EXPECT_FALSE(h.note(numbered(5)));
    }
    EXPECT_TRUE(h.note(numbered(5)));
}

TEST(EditHistory, KeepsTheLatestChangesBeyondAHundredSteps) {
    EditHistory h;
    h.start(numbered(0));
    const int changes = static_cast<int>(EditHistory::CAPACITY) + 50;
    for (int i = 1; i <= changes; ++i)
        h.note(numbered(i));
    int steps = 0;
    FormState last;
    while (h.canUndo()) {
        last = h.undo();
        ++steps;
    }
    EXPECT_GE(steps, 100);
    EXPECT_EQ(steps, static_cast<int>(EditHistory::CAPACITY));
    EXPECT_EQ(last, numbered(changes - steps));
    while (h.canRedo())
        last = h.redo();
    EXPECT_EQ(last, numbered(changes));
}

// A document with the OM loaded and its history begun, as the window has it.
struct LoadedOm : TestDocument {
    LoadedOm() {
        doc.presets = builtInPresetTable();
        HistoryPause loading(doc.history);
        loadPreset(doc, presetByName("OM"));
        markSaved(doc);
        doc.history.start(captureForm(doc));
    }
    void step(const char* entry, StepDirection d) {
        ASSERT_TRUE(applyStepper(doc, entry, d));
        noteEdit(doc);
    }
    void typeAndCommit(const std::string& entry, const std::string& text) {
        form.setText(entry, text);
        commitEntryWidget(doc, entry);
        noteEdit(doc);
    }
    void choose(const char* radio) {
        form.setActive(radio, true);
        applySwitch(doc, radio, true);
        noteEdit(doc);
    }
};

TEST(UndoEdit, PutsBackTextsValuesAndChoicesAndRedoesThem) {
    LoadedOm t;
    const FormState loaded = captureForm(t.doc);
    const float width = t.doc.params.lowerBoutHalfWidth;
    t.step("entryLBWidth", StepDirection::Increase);
    t.choose("radiobuttonCutawayVenetian");
    t.typeAndCommit("entryLength", "21.5");
    applyUnits(t.doc, 1);
    t.form.setUnitsIndex(1);
    noteEdit(t.doc);
    const FormState changed = captureForm(t.doc);

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(undoEdit(t.doc)) << i;
    EXPECT_FALSE(undoEdit(t.doc));
    EXPECT_EQ(captureForm(t.doc), loaded);
    EXPECT_EQ(t.doc.params.lowerBoutHalfWidth, width);
    EXPECT_TRUE(t.form.active("radiobuttonCutawayFlorentine"));
    EXPECT_FALSE(t.form.active("radiobuttonCutawayVenetian"));
    EXPECT_TRUE(t.form.visible("fixedCutawayParamsFlorentineVisibility"));
    EXPECT_FALSE(t.form.visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_EQ(t.form.unitsIndex(), 0);
    EXPECT_FALSE(hasUnsavedChanges(t.doc));

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(redoEdit(t.doc)) << i;
    EXPECT_FALSE(redoEdit(t.doc));
    EXPECT_EQ(captureForm(t.doc), changed);
    EXPECT_EQ(t.doc.params.bodyLength, 21.5f);
    EXPECT_EQ(t.form.text("labelUnits2"), "except as noted.");
}

// A value typed and not yet committed when Undo is chosen is the change it
// takes back, not the one before.
TEST(UndoEdit, AChangeNotYetRememberedIsTheOneUndone) {
    LoadedOm t;
    t.step("entryLBWidth", StepDirection::Increase);
    const std::string stepped = t.form.text("entryLBWidth");
    t.form.setText("entryLength", "30");
    commitEntryWidget(t.doc, "entryLength");  // no noteEdit yet
    ASSERT_TRUE(undoEdit(t.doc));
    EXPECT_EQ(t.form.text("entryLBWidth"), stepped);
    EXPECT_NE(t.form.text("entryLength"), "30");
}

TEST(UndoEdit, RedrawsOnlyWhenADrawingWasShownAndMarksASavedDesignChanged) {
    LoadedOm t;
    t.step("entryLBWidth", StepDirection::Decrease);
    const int before = t.form.drawingsShown();
    ASSERT_TRUE(undoEdit(t.doc));
    EXPECT_EQ(t.form.drawingsShown(), before);  // the blank of the load stays

    t.pass();
    const std::string drawnWith = t.form.text("entryLBWidth");
    t.step("entryLBWidth", StepDirection::Decrease);
    t.pass();
    markSaved(t.doc);
    const int shown = t.form.drawingsShown();
    ASSERT_TRUE(undoEdit(t.doc));
    EXPECT_EQ(t.form.drawingsShown(), shown + 1);
    EXPECT_EQ(t.form.text("entryLBWidth"), drawnWith);
    EXPECT_EQ(t.doc.params.lowerBoutHalfWidth * 2, std::stof(drawnWith));
    EXPECT_TRUE(hasUnsavedChanges(t.doc));
    ASSERT_TRUE(redoEdit(t.doc));
    EXPECT_FALSE(hasUnsavedChanges(t.doc));
}

// A load is one change: undo brings back the whole form as it was before.
TEST(UndoEdit, ALoadIsOneStep) {
    LoadedOm t;
    t.step("entryLBWidth", StepDirection::Increase);
    const FormState before = captureForm(t.doc);
    {
        HistoryPause loading(t.doc.history);
        loadPreset(t.doc, presetByName("Classical"));
    }
    noteEdit(t.doc);
    EXPECT_EQ(t.form.unitsIndex(), 1);
    ASSERT_TRUE(undoEdit(t.doc));
    EXPECT_EQ(captureForm(t.doc), before);
    EXPECT_EQ(t.doc.params.units, 0);
}

}  // namespace
}  // namespace bowlyn

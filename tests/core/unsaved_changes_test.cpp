// Unsaved work is asked about before it could be lost, and what leaves the
// program (a saved file, an exported DXF) is the design as the form shows it.

#include "commands/unsaved_changes.h"

#include <gtest/gtest.h>

#include <deque>

#include "commands/file_commands.h"
#include "geometry/recompute.h"
#include "model/form_editing.h"
#include "model/memory_form.h"
#include "model/parameter_file.h"
#include "model/presets.h"
#include "model_test_support.h"
#include "render/dxf_writer.h"

namespace bowlyn {
namespace {

struct AnsweringDialogs : Dialogs {
    std::deque<SaveChoice> choices;
    std::deque<std::string> files;
    std::vector<std::string> log;
    void showError(const std::string& m) override { log.push_back("error: " + m); }
    void showWarning(const std::string& m) override { log.push_back("warning: " + m); }
    bool askYesNo(const std::string& q) override {
        log.push_back("ask: " + q);
        return true;
    }
    SaveChoice askSaveChanges(const std::string& q) override {
        log.push_back(q);
        SaveChoice c = choices.empty() ? SaveChoice::Cancel : choices.front();
        if (!choices.empty())
            choices.pop_front();
        return c;
    }
    std::string chooseFile(FileDialogMode, const std::string&) override {
        log.push_back("choose");
        std::string f = files.empty() ? "" : files.front();
        if (!files.empty())
            files.pop_front();
        return f;
    }
};

class UnsavedChanges : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.presets = builtInPresetTable();
        loadPreset(doc, presetByName("OM"));
    }
    TempDir dir;
    MemoryForm form;
    Document doc{form};
    AnsweringDialogs dialogs;
};

TEST_F(UnsavedChanges, AreAskedAboutAndCancelChangesNothing) {
    EXPECT_FALSE(hasUnsavedChanges(doc));
    EXPECT_EQ(windowTitle(doc), "Untitled - Bowlyn");
    EXPECT_TRUE(confirmLeaving(doc, dialogs, Leaving::Closing));  // nothing to ask
    EXPECT_TRUE(dialogs.log.empty());

    form.setText("entryLength", "25");  // typed, not yet committed
    EXPECT_TRUE(hasUnsavedChanges(doc));
    EXPECT_EQ(windowTitle(doc), "Untitled* - Bowlyn");

    EXPECT_FALSE(confirmLeaving(doc, dialogs, Leaving::Closing));
    dialogs.choices = {SaveChoice::Discard};
    EXPECT_TRUE(confirmLeaving(doc, dialogs, Leaving::LoadingAnother));
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{
                               "Save changes to the design 'Untitled' before closing?",
                               "Save changes to the design 'Untitled' before loading another "
                               "design?"}));
    EXPECT_EQ(form.text("entryLength"), "25");

    // Save goes on only once the design is written.
    dialogs.log.clear();
    dialogs.choices = {SaveChoice::Save, SaveChoice::Save};
    dialogs.files = {"", dir.file("om")};
    EXPECT_FALSE(confirmLeaving(doc, dialogs, Leaving::Closing));  // the chooser was cancelled
    EXPECT_TRUE(confirmLeaving(doc, dialogs, Leaving::Closing));
    EXPECT_EQ(readBytes(dir.file("om.bowlyn")), parameterFileText(doc));
    EXPECT_NE(readBytes(dir.file("om.bowlyn")).find("\r\nBody length,25\r\n"), std::string::npos);
    EXPECT_FALSE(hasUnsavedChanges(doc));
    EXPECT_EQ(windowTitle(doc), "om.bowlyn - Bowlyn");

    // Switches, choices and the units count as changes too.
    const std::pair<int, const char*> changes[] = {
        {fields::HAS_STRINGS, "0"}, {fields::TAPER_TYPE, "1"}, {fields::UNITS, "CM"}};
    for (const auto& [k, text] : changes) {
        setFieldText(doc, k, text);
        EXPECT_TRUE(hasUnsavedChanges(doc)) << field(k).label;
        markSaved(doc);
    }
    dialogs.log.clear();
    form.setText("entryDescription", "My OM");
    EXPECT_FALSE(confirmLeaving(doc, dialogs, Leaving::Closing));
    EXPECT_EQ(dialogs.log.at(0), "Save changes to the design 'om.bowlyn' before closing?");
}

TEST_F(UnsavedChanges, OpenAsksBeforeChoosingAFile) {
    form.setText("entryWaistWidth", "9");
    openCommand(doc, dialogs);  // Cancel
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"Save changes to the design 'Untitled' before "
                                                    "loading another design?"});
    EXPECT_EQ(form.text("entryWaistWidth"), "9");

    // A loaded file is the saved state again.
    MemoryForm otherForm;
    Document other(otherForm);
    other.presets = builtInPresetTable();
    loadPreset(other, presetByName("Parlor guitar"));
    ASSERT_EQ(writeParameterFile(other, dir.file("parlor.bowlyn")), "");
    dialogs.log.clear();
    dialogs.choices = {SaveChoice::Discard};
    dialogs.files = {dir.file("parlor.bowlyn")};
    openCommand(doc, dialogs);
    EXPECT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(form.text("entryDescription"), "Parlor guitar");
    EXPECT_FALSE(hasUnsavedChanges(doc));
    EXPECT_EQ(windowTitle(doc), "parlor.bowlyn - Bowlyn");
    EXPECT_EQ(form.focused(), "entryLength");  // typing goes into the body length
}

TEST_F(UnsavedChanges, TheFocusedEntryIsCommittedAsLeavingItWould) {
    form.focus("entryLength");
    form.setText("entryLength", "25");
    commitFocusedEntry(doc);
    EXPECT_EQ(doc.params.bodyLength, 25.0f);

    form.focus("entryFretboardNutWidth");  // a member of a shared group
    form.setText("entryFretboardNutWidth", "1 3/4");
    commitFocusedEntry(doc);
    EXPECT_EQ(doc.params.nutWidth, 1.75f);
    EXPECT_EQ(form.text("entryCutawayTaperParmsNutWidth"), "1 3/4");

    form.focus("");
    form.setText("entryLength", "30");
    commitFocusedEntry(doc);  // nothing holds the focus: nothing is committed
    EXPECT_EQ(doc.params.bodyLength, 25.0f);
}

// Save, then Export: the DXF is drawn from the values the file holds, even
// when the value was committed after the last drawing pass.
TEST_F(UnsavedChanges, AFileAndTheDxfExportedAfterItAgree) {
    doc.finalDrawing = 1;
    recompute(doc);
    ASSERT_EQ(doc.outlineComplete, 1);
    setFieldText(doc, fields::BODY_LENGTH, "19.9");  // committed, not drawn
    dialogs.files = {dir.file("om.bowlyn"), dir.file("om.dxf")};
    ASSERT_TRUE(saveCommand(doc, dialogs, SaveVariant::Save));
    exportDxf(doc, dialogs);
    EXPECT_EQ(form.text(STATUS_LABEL), STATUS_OK);

    MemoryForm readForm;
    Document reread(readForm);
    reread.presets = builtInPresetTable();
    ASSERT_EQ(readParameterFile(reread, dir.file("om.bowlyn")), ReadResult::Loaded);
    reread.finalDrawing = 0;  // the drawing mode does not change what is recorded
    recompute(reread);
    EXPECT_EQ(readBytes(dir.file("om.dxf")), dxfText(reread.drawing.entities).value());

    // A committed value that fails a check is refused, not exported as before.
    setFieldText(doc, fields::BODY_LENGTH, "0");
    dialogs.log.clear();
    exportDxf(doc, dialogs);
    EXPECT_EQ(dialogs.log.at(0).rfind("error: A complete body outline must be", 0), 0u);
    EXPECT_NE(form.text(STATUS_LABEL), STATUS_OK);
}

}  // namespace
}  // namespace bowlyn

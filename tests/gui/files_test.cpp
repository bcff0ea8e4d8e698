// The File menu's commands reach the file dialog, the messages and the files.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "gui_support.h"

namespace bowlyn::test {
namespace {

class FileMenu : public GuiTest {};

TEST_F(FileMenu, SaveAsThenOpenBringsTheDesignBack) {
    activate("menuInitializeArchtop");
    std::string path = temp("archtop.bowlyn");
    dialogs.files = {path};
    activate("menuSaveAs");
    ASSERT_EQ(dialogs.modes.size(), 1u);
    EXPECT_EQ(dialogs.modes[0], FileDialogMode::Save);
    EXPECT_NE(contents(path).find("Archtop"), std::string::npos);

    activate("menuInitializeClear");
    dialogs.files = {path};
    activate("menuOpen");
    EXPECT_EQ(dialogs.modes.back(), FileDialogMode::Open);
    EXPECT_EQ(text("entryDescription"), "Archtop 16'' w/ Venetian cutaway");
    EXPECT_TRUE(form().active("radiobuttonCutawayVenetian"));
    EXPECT_TRUE(form().visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_EQ(design().params.bodyLength, 20.65f);
    EXPECT_TRUE(dialogs.errors.empty());

    // Save goes back to the opened file without asking.
    const size_t asked = dialogs.modes.size();
    activate("menuSave");
    EXPECT_EQ(dialogs.modes.size(), asked);
}

// `bowlyn FILE`: the file is where the user begins, and a file that cannot be
// opened says so as File > Open does.
TEST_F(FileMenu, AFileNamedAtStartIsOpenedAndBeginsTheHistory) {
    activate("menuInitializeOM");
    const std::string path = temp("om.bowlyn");
    dialogs.files = {path};
    activate("menuSaveAs");
    activate("menuInitializeClear");

    openDesignAtStart(path);
    EXPECT_EQ(text("entryDescription"), "OM");
    EXPECT_FALSE(gtk_widget_is_sensitive(widget("menuUndo")));
    EXPECT_TRUE(dialogs.errors.empty());

    openDesignAtStart(temp("missing.bowlyn"));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "File not found: '" + temp("missing.bowlyn") + "'");
    EXPECT_EQ(text("entryDescription"), "OM");
}

TEST_F(FileMenu, ExportRefusesUntilAnOutlineIsDrawn) {
    activate("menuInitializeOM");
    std::string path = temp("om.dxf");
    dialogs.files = {path};
    activate("menuExportDXF");
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(contents(path).empty());

    click("buttonOk");
    dialogs.files = {path};
    activate("menuExportDXF");
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.modes.back(), FileDialogMode::Export);
    std::string dxf = contents(path);
    EXPECT_NE(dxf.find("ENTITIES"), std::string::npos);
    EXPECT_NE(dxf.find("ARC"), std::string::npos);
}

}  // namespace
}  // namespace bowlyn::test

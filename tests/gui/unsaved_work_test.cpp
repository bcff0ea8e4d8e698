// Work that was not saved is asked about before quitting, closing the window
// or loading another design, and the window title shows whether there is any.

#include <cstdio>
#include <fstream>

#include "gui_support.h"

namespace bowlyn::test {
namespace {

class UnsavedWork : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        activate("menuInitializeOM");
        type("entryLength", "21");  // typed, not committed: still unsaved work
    }
    void TearDown() override {
        std::remove(file.c_str());
        GuiTest::TearDown();
    }
    std::string title() { return gtk_window_get_title(GTK_WINDOW(app().mainWindow)); }
    // Asks the window to close as a window manager does; true when it stays.
    bool closeWindow() {
        GdkEvent* event = gdk_event_new(GDK_DELETE);
        event->any.window = GDK_WINDOW(g_object_ref(app().mainWindow->window));
        event->any.send_event = TRUE;
        gtk_main_do_event(event);
        gdk_event_free(event);
        pump();
        return app().mainWindow != nullptr;
    }
    const std::string file = ::testing::TempDir() + "unsaved_om.bowlyn";
};

TEST_F(UnsavedWork, TheTitleShowsTheFileAndAMark) {
    EXPECT_EQ(title(), "Untitled* - Bowlyn");
    dialogs.files = {file};
    activate("menuSaveAs");
    EXPECT_EQ(title(), "unsaved_om.bowlyn - Bowlyn");
    click("checkbuttonFretboardHasFretboard");
    EXPECT_EQ(title(), "unsaved_om.bowlyn* - Bowlyn");
    click("checkbuttonFretboardHasFretboard");
    EXPECT_EQ(title(), "unsaved_om.bowlyn - Bowlyn");  // back as saved
    gtk_combo_box_set_active(GTK_COMBO_BOX(form().widget("comboboxUnits")), 1);
    pump();
    EXPECT_EQ(title(), "unsaved_om.bowlyn* - Bowlyn");
    dialogs.saveChoice = SaveChoice::Discard;
    activate("menuInitializeClear");
    EXPECT_EQ(title(), "Untitled - Bowlyn");
}

TEST_F(UnsavedWork, ClosingAsksAndCancelKeepsTheWindow) {
    EXPECT_TRUE(closeWindow());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], "Save changes to the design 'Untitled' before closing?");
    EXPECT_EQ(text("entryLength"), "21");

    dialogs.saveChoice = SaveChoice::Discard;
    EXPECT_FALSE(closeWindow());
}

gboolean quitWithCancel(gpointer data) {
    auto* dialogs = static_cast<ScriptedDialogs*>(data);
    GtkWidget* quit = findWidget(app().mainWindow, "menuQuit");
    gtk_menu_item_activate(GTK_MENU_ITEM(quit));  // answered Cancel: the loop goes on
    EXPECT_EQ(dialogs->questions.size(), 1u);
    dialogs->saveChoice = SaveChoice::Save;
    dialogs->files = {::testing::TempDir() + "unsaved_om.bowlyn"};
    gtk_menu_item_activate(GTK_MENU_ITEM(quit));  // saved, then quits
    return FALSE;
}

gboolean giveUp(gpointer) {
    ADD_FAILURE() << "the main loop did not end";
    gtk_main_quit();
    return FALSE;
}

TEST_F(UnsavedWork, QuitAsksAndSaveGoesOnOnlyOnceSaved) {
    g_idle_add(quitWithCancel, &dialogs);
    guint guard = g_timeout_add(5000, giveUp, nullptr);
    runMainLoop();
    g_source_remove(guard);
    EXPECT_EQ(dialogs.questions.size(), 2u);
    std::ifstream saved(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("\r\nBody length,21\r\n"), std::string::npos);
}

TEST_F(UnsavedWork, LoadingAnotherDesignAsksFirst) {
    for (const char* item : {"menuInitializeClear", "menuInitializeDreadnought", "menuOpen"}) {
        activate(item);  // Cancel
        EXPECT_EQ(text("entryLength"), "21") << item;
    }
    EXPECT_EQ(dialogs.questions,
              std::vector<std::string>(
                  3, "Save changes to the design 'Untitled' before loading another design?"));
    EXPECT_TRUE(dialogs.modes.empty());  // Open never showed its file dialog

    // Save, but the file dialog is cancelled: nothing is loaded.
    dialogs.saveChoice = SaveChoice::Save;
    activate("menuInitializeDreadnought");
    EXPECT_EQ(text("entryLength"), "21");
    dialogs.files = {file};
    activate("menuInitializeDreadnought");
    EXPECT_EQ(text("entryLength"), "20.09");
    EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace bowlyn::test

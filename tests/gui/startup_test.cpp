// Start-up without the main loop: the cleared design, the blank drawing, the
// screen-size check, failures to start, and the ways the main loop ends.

#include <cstdio>
#include <fstream>

#include "app/gtk_form.h"
#include "gui_support.h"
#include "model/field_table.h"

namespace bowlyn::test {
namespace {

class Startup : public GuiTest {};

TEST_F(Startup, ShowsTheClearedDesign) {
    for (int k = 3; k <= FIELD_COUNT; ++k) {
        for (const std::string& w : field(k).widgets) {
            if (w.rfind("entry", 0) == 0) {
                EXPECT_EQ(text(w), " ") << w;
            }
        }
    }
    EXPECT_EQ(text("entryDescription"), " ");
    EXPECT_EQ(form().unitsIndex(), 0);
    EXPECT_STREQ(gtk_combo_box_get_active_text(GTK_COMBO_BOX(form().widget("comboboxUnits"))),
                 "Inches");
    for (const char* check :
         {"checkbuttonCutawayHasCutaway", "checkbuttonFretboardHasFretboard",
          "checkbuttonFretboardMarkersHasMarkers", "checkbuttonStringsHasStrings"}) {
        EXPECT_FALSE(form().active(check)) << check;
    }
    EXPECT_TRUE(form().active("radiobuttonCutawayFlorentine"));
    EXPECT_TRUE(form().active("radiobuttonCutawayWidthAtFret"));
    EXPECT_TRUE(form().active("radiobuttonFretboardWidthAtFret"));
    EXPECT_FALSE(form().sensitive("fixedCutawaySensitivity"));
    EXPECT_FALSE(form().visible("fixedCutawayParamsVenetianVisibility"));
    EXPECT_FALSE(form().visible("fixedFretboardTaperFromStringSpacingVisibility"));
    EXPECT_EQ(form().notebookPage(), 0);
    EXPECT_EQ(design().params.bodyLength, 0.0f);
    EXPECT_EQ(design().params.units, 0);
    // The description's own status text stays until something is drawn.
    EXPECT_EQ(text("labelStatusText").rfind("Status: ", 0), 0u);
    EXPECT_NE(text("labelStatusText"), "Status: OK");
    EXPECT_TRUE(gtk_widget_get_visible(app().mainWindow));
}

TEST_F(Startup, ShowsABlankDrawingWithItsFrame) {
    const Pixels shown = shownDrawing();
    ASSERT_EQ(shown.width, 660);
    ASSERT_EQ(shown.height, 660);
    for (int y : {0, 330, 659}) {
        for (int x : {0, 330, 659}) {
            const unsigned char* p = shown.at(x, y);
            bool border = x == 0 || y == 0 || x == 659 || y == 659;
            int expected = border ? 0 : 255;
            EXPECT_EQ(p[0], expected) << x << "," << y;
            EXPECT_EQ(p[1], expected);
            EXPECT_EQ(p[2], expected);
        }
    }
    EXPECT_EQ(
        countShownPixels([](int r, int g, int b) { return r != 255 || g != 255 || b != 255; }), 0);
}

TEST_F(Startup, ScreenWideAndTallEnoughPassesSilently) {
    GdkScreen* screen = gdk_screen_get_default();
    screenSizeCheck();
    std::string expected =
        screenSizeMessage(gdk_screen_get_width(screen), gdk_screen_get_height(screen));
    if (expected.empty()) {
        EXPECT_TRUE(dialogs.warnings.empty());
    } else {
        ASSERT_EQ(dialogs.warnings.size(), 1u);
        EXPECT_EQ(dialogs.warnings[0], expected);
    }
}

TEST(ScreenSize, WarnsBelowTheThresholds) {
    const std::string narrow = screenSizeMessage(1023, 1200);
    const std::string low = screenSizeMessage(1024, 768);
    EXPECT_EQ(narrow.rfind("The screen resolution of your computer is not large enough", 0), 0u);
    EXPECT_EQ(low.rfind("The screen resolution of your computer may not be large enough", 0), 0u);
    EXPECT_NE(low.find("adjust properties of the taskbar"), std::string::npos);
    EXPECT_NE(narrow.find("to accomodate the Bowlyn main window."), std::string::npos);
    EXPECT_EQ(screenSizeMessage(800, 600), narrow);
    EXPECT_EQ(screenSizeMessage(1280, 768), low);
    EXPECT_EQ(screenSizeMessage(1024, 769), "");
    EXPECT_EQ(screenSizeMessage(1280, 800), "");
}

// A description that cannot be used ends start-up with a message.
TEST(StartupFailure, ReportsAMissingBrokenOrIncompleteDescription) {
    collectLogMessages();
    std::string error;
    EXPECT_FALSE(openMainWindow(error, "/nonexistent/bowlyn0_7.glade"));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;

    std::string broken = ::testing::TempDir() + "broken.glade";
    std::ofstream(broken) << "<glade-interface><widget class=\"GtkWindow\"";
    error.clear();
    EXPECT_FALSE(openMainWindow(error, broken));
    EXPECT_NE(error.find("cannot load"), std::string::npos) << error;

    // The real description without the status line, and with a label where
    // an entry should be.
    std::ifstream in(findResource("bowlyn0_7.glade"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto replace = [&](const std::string& from, const std::string& to) {
        size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("id=\"labelStatusText\"", "id=\"labelSomethingElse\"");
    std::string incomplete = ::testing::TempDir() + "incomplete.glade";
    std::ofstream(incomplete) << text;
    error.clear();
    EXPECT_FALSE(openMainWindow(error, incomplete));
    EXPECT_NE(error.find("labelStatusText"), std::string::npos) << error;
    EXPECT_EQ(app().session, nullptr);
    EXPECT_EQ(app().form, nullptr);

    replace("class=\"GtkEntry\" id=\"entryLength\"", "class=\"GtkLabel\" id=\"entryLength\"");
    std::ofstream(incomplete) << text;
    error.clear();
    EXPECT_FALSE(openMainWindow(error, incomplete));
    EXPECT_NE(error.find("entryLength"), std::string::npos) << error;
    pump();

    // And the real one still opens afterwards.
    loggedProblems().clear();
    error.clear();
    ASSERT_TRUE(openMainWindow(error)) << error;
    closeMainWindow();
    pump();
    std::remove(broken.c_str());
    std::remove(incomplete.c_str());
}

gboolean destroyWindow(gpointer) {
    gtk_widget_destroy(app().mainWindow);
    return FALSE;
}

gboolean chooseQuit(gpointer) {
    GtkWidget* quit = findWidget(app().mainWindow, "menuQuit");
    gtk_menu_item_activate(GTK_MENU_ITEM(quit));
    return FALSE;
}

gboolean giveUp(gpointer) {
    ADD_FAILURE() << "the main loop did not end";
    gtk_main_quit();
    return FALSE;
}

TEST_F(Startup, ClosingTheWindowEndsTheMainLoop) {
    g_idle_add(destroyWindow, nullptr);
    guint guard = g_timeout_add(5000, giveUp, nullptr);
    runMainLoop();
    g_source_remove(guard);
    EXPECT_FALSE(app().mainLoopRunning);
    EXPECT_EQ(app().session, nullptr);  // handlers that still fire find nothing to do
}

TEST_F(Startup, QuitEndsTheMainLoopAndLeavesTheWindowToTheCaller) {
    g_idle_add(chooseQuit, nullptr);
    guint guard = g_timeout_add(5000, giveUp, nullptr);
    runMainLoop();
    g_source_remove(guard);
    EXPECT_NE(app().session, nullptr);
    // Without a main loop neither Quit nor closing complains.
    activate("menuQuit");
}

}  // namespace
}  // namespace bowlyn::test

namespace bowlyn::test {
namespace {

class MainWindowSize : public GuiTest {};

// The window's configure handler must leave GTK's own handling alone, or the
// window never takes a new size (and stops redrawing while it waits for one).
TEST_F(MainWindowSize, FollowsAGrowingRequest) {
    GtkWidget* window = app().mainWindow;
    const int width = window->allocation.width;
    GtkWidget* status = form().widget("labelStatusText");
    // The status line reaches 40 pixels past the window's right edge.
    gtk_widget_set_size_request(status, width - status->allocation.x + 40, -1);
    for (int i = 0; i < 50 && window->allocation.width < width + 40; ++i) {
        pump();
        g_usleep(2000);
    }
    EXPECT_GE(window->allocation.width, width + 40);
}

}  // namespace
}  // namespace bowlyn::test

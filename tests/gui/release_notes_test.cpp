// The release note at start-up and in the About box, in the real window with
// the release check asking a server of the test's own.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <memory>
#include <string>

#include "help/update_watcher.h"
#include "tests/core/loopback_server.h"
#include "tests/gui/gui_support.h"

namespace bowlyn {
namespace {

using test::LoopbackServer;
using test::openAboutDialog;
using test::orEmpty;
using test::ReleaseUrlOverride;

const char* const NEWER_NOTE =
    "A newer version of Bowlyn (0.8) is available on the Bowlyn home page.";

// What an open About box said about releases, first and after an answer.
// A gate, when given, lets the server answer once the box has been read.
struct AboutNotes {
    std::string first, last;
    bool shown = false;
    std::chrono::steady_clock::time_point deadline;
    std::shared_ptr<test::AnswerGate> gate;
};

gboolean watchAboutForANote(gpointer data) {
    auto* notes = static_cast<AboutNotes*>(data);
    GtkWidget* dialog = openAboutDialog();
    if (dialog == nullptr) {
        return TRUE;
    }
    notes->last = orEmpty(gtk_about_dialog_get_comments(GTK_ABOUT_DIALOG(dialog)));
    if (!notes->shown) {
        notes->shown = true;
        notes->first = notes->last;
        if (notes->gate)
            notes->gate->open = true;
    }
    if (notes->last.find("Note:") == std::string::npos &&
        std::chrono::steady_clock::now() < notes->deadline) {
        return TRUE;
    }
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return FALSE;
}

// The window opened with the release check asking `url`, as at start-up.
class ReleaseNotes : public ::testing::Test {
  protected:
    void open(const std::string& url) {
        ReleaseUrlOverride address(url);
        std::string error;
        ASSERT_TRUE(openMainWindow(error)) << error;
        startupStatus = status();
    }
    void TearDown() override {
        closeMainWindow();
        test::pump();
    }
    static std::string status() { return app().form->text("labelStatusText"); }
    static bool checking() { return dynamic_cast<UpdateWatcher&>(*app().updates).checking(); }
    static void activate(const char* name) {
        gtk_menu_item_activate(GTK_MENU_ITEM(test::findWidget(app().mainWindow, name)));
        test::pump();
    }
    AboutNotes runAbout(const std::shared_ptr<test::AnswerGate>& gate = nullptr) {
        AboutNotes notes;
        notes.gate = gate;
        notes.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        const guint source = g_timeout_add(20, watchAboutForANote, &notes);
        activate("menuAbout");
        if (!notes.shown) {
            g_source_remove(source);
        }
        return notes;
    }

    std::string startupStatus;
};

TEST_F(ReleaseNotes, StartUpShowsTheWindowAndAnnouncesANewerReleaseWhenItArrives) {
    LoopbackServer server(test::answerAfter(300, "0.8\n"));
    open(server.url());
    EXPECT_NE(startupStatus, NEWER_NOTE) << "start-up waited for the answer";
    EXPECT_TRUE(checking());
    ASSERT_TRUE(test::runLoopUntil([] { return !checking(); }, 5.0));
    EXPECT_EQ(status(), NEWER_NOTE);
    EXPECT_EQ(server.requests(), 1);
}

TEST_F(ReleaseNotes, ALateAnswerLeavesAProblemOnTheStatusLineAndGoesToAbout) {
    LoopbackServer server(test::answerAfter(400, "0.8\n"));
    open(server.url());
    gtk_button_clicked(GTK_BUTTON(test::findWidget(app().mainWindow, "buttonTryIt")));
    const std::string problem = status();
    ASSERT_EQ(problem.rfind("Problem: ", 0), 0u) << problem;
    ASSERT_TRUE(test::runLoopUntil([] { return !checking(); }, 5.0));
    EXPECT_EQ(status(), problem);
    // About shows the answer at once, from the check at start-up.
    const AboutNotes notes = runAbout();
    ASSERT_TRUE(notes.shown);
    EXPECT_NE(notes.first.find("\n\nNote: A newer version (0.8) is available for download on "
                               "the Bowlyn Homepage."),
              std::string::npos)
        << notes.first;
}

TEST_F(ReleaseNotes, AnOpenAboutBoxShowsTheAnswerWhenItArrives) {
    const auto gate = std::make_shared<test::AnswerGate>();
    LoopbackServer server(test::answerWhenOpened(gate, "0.9\n"));
    open(server.url());
    const AboutNotes notes = runAbout(gate);
    ASSERT_TRUE(notes.shown);
    EXPECT_EQ(notes.first.find("Note:"), std::string::npos);
    EXPECT_NE(notes.last.find("\n\nNote: A newer version (0.9) is available"), std::string::npos)
        << notes.last;
    // The box joined the check on its way at start-up.
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(status(), "A newer version of Bowlyn (0.9) is available on the Bowlyn home page.");
}

TEST_F(ReleaseNotes, NoAddressNoCheckAndTheStartUpTextStays) {
    open("");
    EXPECT_FALSE(checking());
    test::runLoopUntil([] { return false; }, 0.1);
    EXPECT_EQ(status(), startupStatus);
    EXPECT_EQ(startupStatus.rfind("Status: ", 0), 0u);
}

}  // namespace
}  // namespace bowlyn

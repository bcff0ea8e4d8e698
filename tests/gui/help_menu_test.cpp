// The Help menu in the real window.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "help/documentation.h"
#include "tests/core/loopback_server.h"
#include "tests/gui/gui_support.h"

namespace bowlyn {
namespace {

using test::openAboutDialog;
using test::orEmpty;
using test::ReleaseUrlOverride;

template <typename Predicate>
GtkWidget* findChild(GtkWidget* widget, Predicate is) {
    if (is(widget)) {
        return widget;
    }
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* c = children; c != nullptr && found == nullptr; c = c->next) {
            found = findChild(GTK_WIDGET(c->data), is);
        }
        g_list_free(children);
    }
    return found;
}

// What the About box showed while it ran; read from inside its modal loop.
struct AboutSeen {
    bool shown = false;
    std::string title, name, version, comments, licence, website, websiteLabel;
    bool logo = false, icon = false, overMainWindow = false, centred = false;
};

gboolean readAndCloseAbout(gpointer data) {
    auto* seen = static_cast<AboutSeen*>(data);
    GtkWidget* dialog = openAboutDialog();
    if (dialog == nullptr) {
        return TRUE;  // not on screen yet
    }
    GtkAboutDialog* about = GTK_ABOUT_DIALOG(dialog);
    GtkWindow* window = GTK_WINDOW(dialog);
    seen->shown = true;
    seen->title = orEmpty(gtk_window_get_title(window));
    seen->name = orEmpty(gtk_about_dialog_get_program_name(about));
    seen->version = orEmpty(gtk_about_dialog_get_version(about));
    seen->comments = orEmpty(gtk_about_dialog_get_comments(about));
    seen->licence = orEmpty(gtk_about_dialog_get_license(about));
    seen->website = orEmpty(gtk_about_dialog_get_website(about));
    seen->websiteLabel = orEmpty(gtk_about_dialog_get_website_label(about));
    seen->logo = gtk_about_dialog_get_logo(about) != nullptr;
    seen->icon = gtk_window_get_icon(window) != nullptr;
    seen->overMainWindow = gtk_window_get_transient_for(window) == GTK_WINDOW(app().mainWindow);
    GtkWindowPosition position = GTK_WIN_POS_NONE;
    g_object_get(window, "window-position", &position, nullptr);
    seen->centred = position == GTK_WIN_POS_CENTER_ON_PARENT;
    // A click on the home page link: the label hands its address on, and the
    // program's link hook must open it.
    GtkWidget* link = findChild(dialog, [](GtkWidget* w) {
        return GTK_IS_LABEL(w) &&
               std::string(gtk_label_get_text(GTK_LABEL(w))) == "Bowlyn Homepage";
    });
    if (link != nullptr) {
        gboolean handled = FALSE;
        g_signal_emit_by_name(link, "activate-link", seen->website.c_str(), &handled);
    }
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return FALSE;
}

class HelpMenu : public test::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        setUriLauncher([this](const std::string& uri) {
            launched.push_back(uri);
            return browserTakesIt;
        });
    }

    void TearDown() override {
        setUriLauncher({});
        GuiTest::TearDown();
    }

    // Opens About from the menu; it is read and closed from its own loop.
    AboutSeen runAbout() {
        AboutSeen seen;
        const guint source = g_timeout_add(20, readAndCloseAbout, &seen);
        activate("menuAbout");
        if (!seen.shown) {
            g_source_remove(source);  // About never ran: nothing left to close
        }
        return seen;
    }

    std::vector<std::string> launched;
    bool browserTakesIt = true;
};

TEST_F(HelpMenu, AboutShowsNameReleaseLicenceAndLink) {
    ReleaseUrlOverride off("");
    const AboutSeen seen = runAbout();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "About Bowlyn");
    EXPECT_EQ(seen.name, "Bowlyn");
    EXPECT_EQ(seen.version, "0.7 Release 08-12-2011");
    EXPECT_FALSE(seen.comments.empty());
    EXPECT_EQ(seen.comments.find("Note:"), std::string::npos);
    EXPECT_EQ(seen.licence.rfind("MIT License\r\rCopyright (c) Bowlyn developers\r", 0), 0u);
    EXPECT_EQ(seen.licence.find('\n'), std::string::npos);
    EXPECT_EQ(seen.websiteLabel, "Bowlyn Homepage");
    EXPECT_TRUE(seen.logo);
    EXPECT_TRUE(seen.icon);
    EXPECT_TRUE(seen.overMainWindow);
    EXPECT_TRUE(seen.centred);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0], seen.website);
    EXPECT_EQ(openAboutDialog(), nullptr) << "the About box is destroyed when closed";
}

TEST_F(HelpMenu, InformationOpensTheGuide) {
    activate("menuInfo");
    ASSERT_EQ(launched.size(), 1u);
    const std::string& uri = launched[0];
    EXPECT_EQ(uri.rfind("file:///", 0), 0u) << uri;
    gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
    ASSERT_NE(path, nullptr) << uri;
    EXPECT_TRUE(g_file_test(path, G_FILE_TEST_IS_REGULAR)) << path;
    EXPECT_EQ(std::string(path).substr(std::string(path).size() - 8), "/doc.htm");
    g_free(path);
}

TEST_F(HelpMenu, WithoutABrowserAMessageNamesTheGuide) {
    browserTakesIt = false;
    activate("menuInfo");
    ASSERT_EQ(launched.size(), 1u);
    gchar* path = g_filename_from_uri(launched[0].c_str(), nullptr, nullptr);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], std::string("The user guide could not be opened in a web "
                                             "browser. Open the file '") +
                                     path + "' by hand.");
    g_free(path);

    // The About box's link, with no browser to take it.
    ASSERT_TRUE(runAbout().shown);
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[1],
              "The address 'http://bowlyn.example/' could not be opened in a web browser. Open "
              "it by hand.");
}

}  // namespace
}  // namespace bowlyn

#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/gtk_form.h"
#include "app/main_window.h"
#include "model/dialogs.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn::test {

// Lets GTK handle everything that is pending.
inline void pump() {
    gdk_flush();
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

// Runs the main loop's pending work until `done` holds or `seconds` have
// passed; false on time-out.
bool runLoopUntil(const std::function<bool()>& done, double seconds);

// Any widget of the window by name, menu items in submenus included.
GtkWidget* findWidget(GtkWidget* root, const std::string& name);

// The About box on screen, or nullptr.
GtkWidget* openAboutDialog();

// A file's bytes, "" when it cannot be read.
std::string contents(const std::string& path);

inline std::string orEmpty(const gchar* text) {
    return text != nullptr ? text : "";
}

// GTK's own warnings and criticals, collected so a test can fail on them.
std::vector<std::string>& loggedProblems();
void collectLogMessages();

// An RGB picture read back from the screen.
struct Pixels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows without padding

    const unsigned char* at(int x, int y) const { return &rgb[3 * (size_t(y) * width + x)]; }
    bool operator==(const Pixels& o) const {
        return width == o.width && height == o.height && rgb == o.rgb;
    }
    bool operator!=(const Pixels& o) const { return !(*this == o); }
};

// The main window opened fresh from the real description for every test.
class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    GtkForm& form() { return *app().form; }
    Session& session() { return *app().session; }
    Design& design() { return app().session->design; }
    GtkWidget* widget(const std::string& name);
    std::string text(const std::string& name) { return form().text(name); }

    void activate(const std::string& menuItem);
    // Clicks a button as the mouse would (the focus moves to it first).
    void click(const std::string& button);
    // Types `text` into the entry as keystrokes, the entry having the focus.
    void type(const std::string& entry, const std::string& text);
    // Brings the notebook page holding `w` to the front, as a click on its tab.
    void showPageOf(GtkWidget* w);
    // Moves the keyboard focus to `entry` (showing its page), as a click would.
    void focus(const std::string& entry);
    // The toplevel gains or loses the keyboard focus, as a window manager does.
    void windowFocus(bool in);

    // Pixels of the drawing on screen that satisfy `pick` (r, g, b), frame excluded.
    int countShownPixels(const std::function<bool(int, int, int)>& pick);
    // The drawing as the screen shows it, read back from the X server after
    // every pending expose has been painted: RGB, the drawing's own size.
    Pixels shownDrawing();

    // A path in the test folder for a file the test writes, removed now and
    // when the test ends.
    std::string temp(const std::string& name);

    ScriptedDialogs dialogs;

  private:
    std::vector<std::string> created_;
};

bool isConstructionPixel(int r, int g, int b);
bool isOutlinePixel(int r, int g, int b);

}  // namespace bowlyn::test

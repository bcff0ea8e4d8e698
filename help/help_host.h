#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace bowlyn {

class ReleaseWatch;

// What the Help menu's commands need from the window they serve. The window
// fills one in for each command, so nothing in help/ reaches into it.
struct HelpHost {
    GtkWindow* parent = nullptr;       // dialogs stay above it; null without a window
    std::string iconPath;              // the application icon; "" when not found
    std::string licencePath;           // the licence text "bwl.txt"; "" when not found
    std::string guidePath;             // the user guide "doc.htm"; "" when not found
    ReleaseWatch* releases = nullptr;  // null when the program has no release check
    // Tells the user what could not be done (a guide or a link that did not
    // open), also after the command itself has returned.
    std::function<void(const std::string&)> showError;
};

}  // namespace bowlyn

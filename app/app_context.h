#pragma once

#include <gtk/gtk.h>

#include <string>

#include "geometry/document.h"
#include "model/dialogs.h"

namespace bowlyn {

class GtkForm;
class UpdateWatcher;

// The running window's state. libglade connects handlers with no user data,
// so every handler reaches the program through this one context.
struct AppContext {
    Document* doc = nullptr;
    GtkForm* form = nullptr;
    Dialogs* dialogs = nullptr;
    GtkWidget* mainWindow = nullptr;
    UpdateWatcher* updates = nullptr;  // the release checks; null when built without them
    std::string startDirectory;        // where the program was started
    std::string iconPath;              // the application icon file, "" when not found
    bool mainLoopRunning = false;
};

AppContext& app();

// Finds one of the program's files ("bowlyn0_7.glade", "applicationrc",
// "bowlyn.ico", "doc.htm", "bwl.txt") in the executable's folder, its ui/
// folder, then the installed data folder; never in the current directory.
// "" when none has it.
std::string findResource(const std::string& name);

}  // namespace bowlyn

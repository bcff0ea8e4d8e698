#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <string>

#include "fit/outline_import.h"
#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

class DrawingArea;
class GtkDialogs;
class GtkForm;
class PrintSession;
class ReleaseWatch;
class WindowDisplay;

// The running window and everything it owns: the one piece of program state
// outside the session. libglade connects handlers with no user data, so
// every handler reaches the program through app().
struct AppContext {
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // What the handlers reach: null while no window is open, and from the
    // moment the window is destroyed, so that a handler firing on its way
    // out (focus leaving an entry) finds no session.
    Session* session = nullptr;  // the design, its overlays, file, history and view
    GtkForm* form = nullptr;
    DrawingArea* drawing = nullptr;
    Dialogs* dialogs = nullptr;  // the window's own, or what a test put there
    GtkWidget* mainWindow = nullptr;
    ReleaseWatch* updates = nullptr;  // null when built without the release check
    std::string startDirectory;       // where the program was started
    std::string iconPath;             // the application icon file, "" when not found
    bool mainLoopRunning = false;
    // The printer, paper and scale correction chosen last: kept while the
    // program runs, across windows. Made at the first print.
    std::unique_ptr<PrintSession> printing;

    // What the open window owns, from openMainWindow to closeMainWindow.
    struct Owned {
        std::unique_ptr<GtkForm> form;
        std::unique_ptr<Session> session;
        std::unique_ptr<DrawingArea> drawing;  // paints the session's last pass in its view
        std::unique_ptr<WindowDisplay> display;
        std::unique_ptr<GtkDialogs> dialogs;
        std::unique_ptr<ReleaseWatch> updates;
        // The outline File > Import outline... read last, for "Fit design
        // to outline".
        std::optional<ImportedOutline> importedOutline;
        bool windowDestroyed = false;
    };
    Owned owned;

    // Clears what the handlers reach; the owned objects stay until closed.
    void forgetWindow();
};

AppContext& app();

// Finds one of the program's files ("bowlyn0_7.glade", "applicationrc",
// "bowlyn.ico", "doc.htm", "bwl.txt") in the executable's folder, its ui/
// folder, then the installed data folder; never in the current directory.
// "" when none has it.
std::string findResource(const std::string& name);
// Where an installed program keeps its files, found from the executable's
// own folder (bin/../share/bowlyn), so any prefix works, a moved one too.
std::string installedDataFolder();

}  // namespace bowlyn

// The Help menu's handlers, found by name when the window's description is
// loaded. They hand the help commands what they need of the window.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "help/about_dialog.h"
#include "help/documentation.h"

namespace {

using bowlyn::app;

bowlyn::HelpHost helpHost() {
    const bowlyn::AppContext& ctx = app();
    bowlyn::HelpHost host;
    host.parent = ctx.mainWindow ? GTK_WINDOW(ctx.mainWindow) : nullptr;
    host.iconPath = ctx.iconPath;
    host.licencePath = bowlyn::findResource("bwl.txt");
    host.guidePath = bowlyn::findResource("doc.htm");
    host.releases = ctx.updates;
    // Through the window's dialogs, if the window is still there when a
    // browser gives up.
    host.showError = [](const std::string& message) {
        if (app().dialogs != nullptr)
            app().dialogs->showError(message);
    };
    return host;
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void menuAbout_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::showAbout(helpHost());
}

G_MODULE_EXPORT gboolean menuInfo_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::openDocumentation(helpHost());
    return FALSE;
}

}  // extern "C"

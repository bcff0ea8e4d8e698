// The File menu's commands on parameter files and the DXF export. Each reads
// the design as the form shows it, typed values not yet committed included,
// and is one step of undo (an Open), or none (a save changes no design).

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "commands/file_commands.h"

using namespace bowlyn;

namespace {

template <class Command>
gboolean fileCommand(Command command) {
    if (sessionToRead() && app().dialogs) {
        UserAction action;
        command(*app().session, *app().dialogs);
    }
    return FALSE;
}

}  // namespace

extern "C" {

G_MODULE_EXPORT gboolean menuOpen_activate_cb(GtkMenuItem*, gpointer) {
    return fileCommand(openCommand);
}

G_MODULE_EXPORT gboolean menuSave_activate_cb(GtkMenuItem*, gpointer) {
    return fileCommand([](Session& s, Dialogs& d) { return saveCommand(s, d, SaveVariant::Save); });
}

G_MODULE_EXPORT gboolean menuSaveAs_activate_cb(GtkMenuItem*, gpointer) {
    return fileCommand(
        [](Session& s, Dialogs& d) { return saveCommand(s, d, SaveVariant::SaveAs); });
}

}  // extern "C"

// The File menu's commands on parameter files and the DXF export.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "commands/file_commands.h"

using namespace bowlyn;

extern "C" {

G_MODULE_EXPORT gboolean menuOpen_activate_cb(GtkMenuItem*, gpointer) {
    if (app().doc && app().dialogs)
        openCommand(*app().doc, *app().dialogs);
    return FALSE;
}

G_MODULE_EXPORT gboolean menuSave_activate_cb(GtkMenuItem*, gpointer) {
    if (app().doc && app().dialogs)
        saveCommand(*app().doc, *app().dialogs, SaveVariant::Save);
    return FALSE;
}

G_MODULE_EXPORT gboolean menuSaveAs_activate_cb(GtkMenuItem*, gpointer) {
    if (app().doc && app().dialogs)
        saveCommand(*app().doc, *app().dialogs, SaveVariant::SaveAs);
    return FALSE;
}

G_MODULE_EXPORT gboolean menuExportDXF_activate_cb(GtkMenuItem*, gpointer) {
    if (app().doc && app().dialogs)
        exportDxf(*app().doc, *app().dialogs);
    return FALSE;
}

}  // extern "C"

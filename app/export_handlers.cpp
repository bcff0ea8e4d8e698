// The File menu's exports, printing and the fret table. Each reads the design as the form
// shows it, typed values not yet committed included. The exports' handlers
// come from the table of formats, one for each: menuExportDXF_activate_cb
// (the plain DXF), menuExportCAM_activate_cb, ...

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/template_print.h"
#include "commands/export_commands.h"

using namespace bowlyn;

namespace {

gboolean exportAs(const char* key) {
    const ExportFormat* format = exportFormat(key);
    if (sessionToRead() && format && app().dialogs) {
        UserAction action;
        exportFile(*app().session, *app().dialogs, *format);
    }
    return FALSE;
}

}  // namespace

extern "C" {

#define EXPORT_FORMAT(key, ...)                                                      \
    G_MODULE_EXPORT gboolean menuExport##key##_activate_cb(GtkMenuItem*, gpointer) { \
        return exportAs(#key);                                                       \
    }
#include "commands/export_formats.def"

G_MODULE_EXPORT gboolean menuPrint_activate_cb(GtkMenuItem*, gpointer) {
    printOpenDesign(GTK_PRINT_OPERATION_ACTION_PRINT_DIALOG);
    return FALSE;
}

G_MODULE_EXPORT gboolean menuFretTable_activate_cb(GtkMenuItem*, gpointer) {
    if (Session* session = sessionToRead(); session && app().dialogs) {
        UserAction action;
        showFretTable(*session, *app().dialogs);
    }
    return FALSE;
}

}  // extern "C"

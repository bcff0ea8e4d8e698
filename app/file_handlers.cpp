// The File menu's commands on parameter files and the DXF export. Each reads
// the design as the form shows it, typed values not yet committed included.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/form_signals.h"
#include "commands/file_commands.h"

using namespace bowlyn;

extern "C" {

// Opening a file is one change to undo.
G_MODULE_EXPORT gboolean menuOpen_activate_cb(GtkMenuItem*, gpointer) {
    if (Document* doc = designToRead(); doc && app().dialogs) {
        HistoryPause loading(doc->history);
        openCommand(*doc, *app().dialogs);
    }
    rememberEdit();
    refreshTitle();
    return FALSE;
}

G_MODULE_EXPORT gboolean menuSave_activate_cb(GtkMenuItem*, gpointer) {
    if (Document* doc = designToRead(); doc && app().dialogs)
        saveCommand(*doc, *app().dialogs, SaveVariant::Save);
    refreshTitle();
    return FALSE;
}

G_MODULE_EXPORT gboolean menuSaveAs_activate_cb(GtkMenuItem*, gpointer) {
    if (Document* doc = designToRead(); doc && app().dialogs)
        saveCommand(*doc, *app().dialogs, SaveVariant::SaveAs);
    refreshTitle();
    return FALSE;
}

}  // extern "C"

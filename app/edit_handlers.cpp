// The Edit menu: undo and redo of committed changes. The entry being edited
// is committed first, so Undo takes back a value typed and not yet left.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/form_signals.h"
#include "commands/edit_commands.h"

using namespace bowlyn;

namespace {

void apply(bool (*command)(Document&)) {
    if (Document* doc = designToRead()) {
        command(*doc);
        rememberEdit();
        refreshTitle();
    }
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void menuUndo_activate_cb(GtkMenuItem*, gpointer) {
    apply(undoEdit);
}

G_MODULE_EXPORT void menuRedo_activate_cb(GtkMenuItem*, gpointer) {
    apply(redoEdit);
}

}  // extern "C"

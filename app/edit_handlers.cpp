// The Edit menu: undo and redo of whole states of the session. The entry
// being edited is committed first, so Undo takes back a value typed and not
// yet left.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"

using namespace bowlyn;

namespace {

void apply(bool (Session::*command)()) {
    if (designToRead() && app().session)
        (app().session->*command)();
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void menuUndo_activate_cb(GtkMenuItem*, gpointer) {
    apply(&Session::undo);
}

G_MODULE_EXPORT void menuRedo_activate_cb(GtkMenuItem*, gpointer) {
    apply(&Session::redo);
}

}  // extern "C"

// The Help menu's handlers, found by name when the window's description is loaded.

#include <gtk/gtk.h>

#include "help/about_dialog.h"
#include "help/documentation.h"

extern "C" {

G_MODULE_EXPORT void menuAbout_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::showAbout();
}

G_MODULE_EXPORT gboolean menuInfo_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::openDocumentation();
    return FALSE;
}

}  // extern "C"

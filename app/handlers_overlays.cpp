// Menu handlers of the snapshot and the transcription points. None of them
// redraws (except a snapshot of values committed since the last pass, which
// draws them first): the next recompute pass shows what they changed.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/trans_points_dialog.h"
#include "commands/snapshot_command.h"

using bowlyn::app;

extern "C" {

G_MODULE_EXPORT void menuitemTakeSnapshot_activate_cb(GtkMenuItem*, gpointer) {
    if (bowlyn::Session* session = bowlyn::sessionToRead(); session && app().dialogs)
        bowlyn::takeSnapshot(*session, *app().dialogs);
}

G_MODULE_EXPORT void menuitemDisplaySnapshot_toggled_cb(GtkCheckMenuItem* item, gpointer) {
    if (app().session)
        app().session->overlays.showSnapshot = gtk_check_menu_item_get_active(item);
}

G_MODULE_EXPORT void menuitemDisplayTransPoints_toggled_cb(GtkCheckMenuItem* item, gpointer) {
    if (app().session)
        app().session->overlays.showTransPoints = gtk_check_menu_item_get_active(item);
}

G_MODULE_EXPORT void menuitemEditTransPoints_activate_cb(GtkMenuItem*, gpointer) {
    if (bowlyn::sessionToRead())
        bowlyn::editTransPoints(app());
}

}  // extern "C"

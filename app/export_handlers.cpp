// The File menu's exports for the workshop and printing. Each reads the
// design as the form shows it, typed values not yet committed included.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/template_print.h"
#include "commands/export_commands.h"

using namespace bowlyn;

namespace {

gboolean exportFile(WorkshopFile file) {
    if (designToRead() && app().session && app().dialogs) {
        UserAction action;
        exportWorkshopFile(*app().session, *app().dialogs, file);
    }
    return FALSE;
}

}  // namespace

extern "C" {

G_MODULE_EXPORT gboolean menuExportCAM_activate_cb(GtkMenuItem*, gpointer) {
    return exportFile(WorkshopFile::CamDxf);
}

G_MODULE_EXPORT gboolean menuExportSVG_activate_cb(GtkMenuItem*, gpointer) {
    return exportFile(WorkshopFile::Svg);
}

G_MODULE_EXPORT gboolean menuExportPDF_activate_cb(GtkMenuItem*, gpointer) {
    return exportFile(WorkshopFile::PdfTemplate);
}

G_MODULE_EXPORT gboolean menuPrint_activate_cb(GtkMenuItem*, gpointer) {
    printOpenDesign(GTK_PRINT_OPERATION_ACTION_PRINT_DIALOG);
    return FALSE;
}

}  // extern "C"

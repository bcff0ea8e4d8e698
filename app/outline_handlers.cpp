// Menu handlers of the traced outline: File > Import outline... lays an
// outline from a file over the design, "Fit design to outline" replaces the
// design with the one fitted to it (one step to undo) and shows how close
// it came; the Overlays menu shows or hides it.

#include <gtk/gtk.h>

#include <charconv>

#include "app/app_context.h"
#include "app/design_access.h"
#include "fit/outline_import.h"
#include "geometry/pass_display.h"
#include "model/form.h"

using bowlyn::app;

namespace bowlyn {
namespace {

// The resolution as typed; 0 (none) for anything but a number from 1 on.
double typedDpi(const std::string& text) {
    double dpi = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), dpi);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && dpi >= 1 && dpi <= 100000
               ? dpi
               : 0;
}

void importOutlineFile() {
    Document* doc = designToRead();
    Session* session = app().session;
    if (!doc || !session || !app().dialogs)
        return;
    const OutlineChoice choice = app().dialogs->chooseOutlineFile(session->lastDirectory);
    if (choice.path.empty())
        return;
    OutlineReading reading;
    reading.mmPerUnit = choice.unit == "in" ? 25.4 : choice.unit == "cm" ? 10.0 : 1.0;
    reading.dpi = typedDpi(choice.dpi);
    const std::string problem =
        importOutline(*doc, choice.path, reading, app().owned.importedOutline);
    if (!problem.empty()) {
        app().dialogs->showError(problem);
        return;
    }
    // Shown at once over a drawing already there, in the working drawing.
    UserAction show;
    doc->form.setActive("menuitemDisplayTracedOutline", true);  // its handler shows it
    if (doc->passShown) {
        doc->finalDrawing = 0;
        recomputeAndShow(*doc);
    }
}

void fitDesignToOutline() {
    Document* doc = designToRead();
    Session* session = app().session;
    if (!doc || !session || !app().dialogs)
        return;
    if (!app().owned.importedOutline) {
        app().dialogs->showError("Import an outline first (File > Import outline...).");
        return;
    }
    // The fit replaces the design: unsaved work is asked about first.
    if (!mayLeaveDesign(Leaving::LoadingAnother))
        return;
    OutlineFit fit;
    {
        UserAction replace;  // one step to undo
        fit = fitToOutline(*doc, *app().owned.importedOutline);
        if (fit.problem.empty()) {
            session->loaded("");
            doc->form.setActive("menuitemDisplayTracedOutline", true);
            doc->finalDrawing = 0;
            recomputeAndShow(*doc);
        }
    }
    if (!fit.problem.empty())
        app().dialogs->showError("Cannot fit a design to the outline: " + fit.problem);
    else
        app().dialogs->showInfo("The design fitted to " + app().owned.importedOutline->name +
                                ":\n\n" + fitReportText(fit));
}

}  // namespace
}  // namespace bowlyn

extern "C" {

G_MODULE_EXPORT void menuImportOutline_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::importOutlineFile();
}

G_MODULE_EXPORT void menuFitToOutline_activate_cb(GtkMenuItem*, gpointer) {
    bowlyn::fitDesignToOutline();
}

G_MODULE_EXPORT void menuitemDisplayTracedOutline_toggled_cb(GtkCheckMenuItem* item, gpointer) {
    if (app().doc)
        app().doc->showTracedOutline = gtk_check_menu_item_get_active(item) ? 1 : 0;
}

}  // extern "C"

// Menu handlers of the traced outline: File > Import outline... lays an
// outline from a file over the design, "Fit design to outline" replaces the
// design with the one fitted to it (one step to undo) and shows how close
// it came; the Overlays menu shows or hides it.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/gtk_form.h"
#include "fit/outline_import.h"
#include "model/number_text.h"
#include "model/units.h"

using bowlyn::app;

namespace bowlyn {
namespace {

// The resolution as typed, read as the command line's --dpi; 0 (none) for
// anything but a number from 1 to 100000.
double typedDpi(const std::string& text) {
    const double dpi = readWholeNumber(text).value_or(0.0);
    return dpi >= 1 && dpi <= 100000 ? dpi : 0;
}

// The traced outline is shown from now on, as a click on its menu item would.
void showTracedOutline() {
    if (GtkForm* form = app().form)
        form->setActive("menuitemDisplayTracedOutline", true);  // its handler shows it
}

void importOutlineFile() {
    Session* session = sessionToRead();
    if (!session || !app().dialogs)
        return;
    const OutlineChoice choice = app().dialogs->chooseOutlineFile(session->lastDirectory);
    if (choice.path.empty())
        return;
    OutlineReading reading;
    reading.mmPerUnit = UnitScale(choice.unit, LengthUnit::Millimetre)(1.0);
    reading.dpi = typedDpi(choice.dpi);
    const std::string problem = importOutline(session->overlays, session->design.params.units,
                                              choice.path, reading, app().owned.importedOutline);
    if (!problem.empty()) {
        app().dialogs->showError(problem);
        return;
    }
    // Shown at once over a drawing already there, in the working drawing.
    UserAction show;
    showTracedOutline();
    if (session->passShown()) {
        session->mode = DrawingMode::Working;
        session->runPass();
    }
}

void fitDesignToOutline() {
    Session* session = sessionToRead();
    if (!session || !app().dialogs)
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
        fit = fitToOutline(session->overlays, session->design.params.units,
                           *app().owned.importedOutline);
        if (fit.problem.empty()) {
            session->load(fit.texts, "");
            showTracedOutline();
            session->mode = DrawingMode::Working;
            session->runPass();
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
    if (app().session)
        app().session->overlays.showTracedOutline = gtk_check_menu_item_get_active(item);
}

}  // extern "C"

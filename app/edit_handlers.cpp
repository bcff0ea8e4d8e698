// The Edit menu: undo and redo of whole states of the session, the ruler,
// and converting the design to the other unit. The entry being edited is
// committed first, so Undo takes back a value typed and not yet left, and a
// conversion converts it too.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/drawing_area.h"

using namespace bowlyn;

namespace {

void apply(bool (Session::*command)()) {
    if (sessionToRead())
        (app().session->*command)();
}

// A drawing shown is drawn again in the new numbers; the view and the ruler
// stay on the same part of the instrument (see Session::convertUnits).
void convertTo(DesignUnits units) {
    if (sessionToRead())
        app().session->convertUnits(units);
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void menuUndo_activate_cb(GtkMenuItem*, gpointer) {
    apply(&Session::undo);
}

G_MODULE_EXPORT void menuRedo_activate_cb(GtkMenuItem*, gpointer) {
    apply(&Session::redo);
}

G_MODULE_EXPORT void menuMeasure_activate_cb(GtkMenuItem*, gpointer) {
    if (DrawingArea* area = app().drawing)
        area->beginMeasure();
}

G_MODULE_EXPORT void menuConvertToCentimetres_activate_cb(GtkMenuItem*, gpointer) {
    convertTo(UNITS_CM);
}

G_MODULE_EXPORT void menuConvertToInches_activate_cb(GtkMenuItem*, gpointer) {
    convertTo(UNITS_INCH);
}

}  // extern "C"

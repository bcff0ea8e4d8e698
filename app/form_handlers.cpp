// The form's handlers: committing entries, the steppers, the switches, the
// units box and the two drawing buttons. Each hands its work to the core.

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/drawing_area.h"
#include "app/gtk_form.h"
#include "app/handlers.h"
#include "model/field_table.h"
#include "model/form_editing.h"

using namespace bowlyn;

// A stepper steps its own entry's text; another entry being edited is
// committed first, as the click would have done by taking the focus.
void bowlyn::stepEntry(const std::string& entry, StepDirection direction) {
    Session* session = sessionToRead();
    const Control* control = controlNamed(entry);
    UserAction step;
    if (session && control && applyStepper(session->design, *control, direction)) {
        session->mode = DrawingMode::Working;
        session->runPass();
    }
}

namespace {

// The widgets' signals while the program itself sets them are no user's.
bool programsOwn() {
    return app().form && app().form->updating();
}

// Focus also leaves entries when the pointer leaves the window or the window
// goes away, so a commit must be harmless to repeat; returning FALSE lets GTK
// finish its own focus handling.
gboolean commit(const char* entry) {
    commitEntry(entry);
    return FALSE;
}

gboolean step(const char* entry, StepDirection direction) {
    stepEntry(entry, direction);
    return TRUE;
}

gboolean toggled(const char* button, GtkWidget* widget) {
    const bool active = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
    // A click on a radio button switches its partner off by clicking it,
    // and GTK reports that click first: the user's one step is the button
    // switched on, which sets the choice.
    const Control* control = controlNamed(button);
    Session* session = app().session;
    if (!control || !session || programsOwn() || (control->kind == ControlKind::Radio && !active))
        return FALSE;
    UserAction click;
    if (control->kind == ControlKind::Radio)
        chooseInPair(session->design, control->pair, control->value);
    else
        setSwitch(session->design, control->field, active);
    return FALSE;
}

void draw(DrawingMode mode) {
    Session* session = sessionToRead();
    UserAction press;
    if (session) {
        session->mode = mode;
        session->runPass();
    }
}

}  // namespace

#define COMMIT(entry)                                                                           \
    G_MODULE_EXPORT gboolean entry##_focus_out_event_cb(GtkWidget*, GdkEventFocus*, gpointer) { \
        return commit(#entry);                                                                  \
    }

#define STEPPER(name)                                                             \
    G_MODULE_EXPORT gboolean button##name##Dec_clicked_cb(GtkButton*, gpointer) { \
        return step("entry" #name, StepDirection::Decrease);                      \
    }                                                                             \
    G_MODULE_EXPORT gboolean button##name##Inc_clicked_cb(GtkButton*, gpointer) { \
        return step("entry" #name, StepDirection::Increase);                      \
    }

#define SWITCH(handler, button)                                     \
    G_MODULE_EXPORT gboolean handler(GtkWidget* widget, gpointer) { \
        return toggled(#button, widget);                            \
    }

// One handler for every entry, stepper pair, check and radio button of the
// field table, under the names the window description declares.
#define ENTRY(widget, section, row, caption, unit) COMMIT(widget)
#define STEPPED_ENTRY(widget, name, stepClass, belowZero, section, row, caption, unit) \
    COMMIT(widget)                                                                     \
    STEPPER(name)
#define CHECK(widget, caption, enabled1, enabled2) SWITCH(widget##_toggled_cb, widget)
#define RADIO(widget, value, valueName, caption, shown) SWITCH(widget##_clicked_cb, widget)

extern "C" {

#include "model/fields.def"

G_MODULE_EXPORT void comboboxUnits_changed_cb(GtkComboBox* combo, gpointer) {
    Session* session = app().session;
    if (!session || programsOwn())
        return;
    UserAction choose;
    setUnits(session->design, gtk_combo_box_get_active(combo) == 1 ? 1 : 0);
}

G_MODULE_EXPORT gboolean notebook_switch_page_cb(GtkNotebook*, gpointer, guint, gpointer) {
    return FALSE;
}

G_MODULE_EXPORT gboolean buttonTryIt_clicked_cb(GtkButton*, gpointer) {
    draw(DrawingMode::Working);
    return FALSE;
}

G_MODULE_EXPORT gboolean buttonOk_clicked_cb(GtkButton*, gpointer) {
    draw(DrawingMode::Final);
    return FALSE;
}

// The whole drawing, neck and nut included; no pass runs.
G_MODULE_EXPORT void buttonFit_clicked_cb(GtkButton*, gpointer) {
    if (DrawingArea* area = app().drawing)
        area->fitWhole();
}

}  // extern "C"

#include "app/form_signals.h"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/gtk_form.h"
#include "app/handlers.h"
#include "model/field_table.h"
#include "model/form_editing.h"

namespace bowlyn {
namespace {

void entryActivated(GtkEntry* entry, gpointer) {
    Session* session = app().session;
    if (!session || !app().form)
        return;
    UserAction enter;
    commitEntry(app().form->nameOf(GTK_WIDGET(entry)));
    session->runPass();
}

// Up and Down in an entry with steppers step it like its Inc and Dec.
gboolean entryKey(GtkWidget* entry, GdkEventKey* event, gpointer) {
    const GdkModifierType mods = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK | GDK_MOD1_MASK);
    if (!app().form || (event->state & mods) != 0)
        return FALSE;
    const bool up = event->keyval == GDK_Up || event->keyval == GDK_KP_Up;
    const bool down = event->keyval == GDK_Down || event->keyval == GDK_KP_Down;
    if (!up && !down)
        return FALSE;
    stepEntry(app().form->nameOf(entry), up ? StepDirection::Increase : StepDirection::Decrease);
    return TRUE;
}

void somethingChanged(GtkWidget*, gpointer) {
    refreshTitle();
}

// What is typed is the field's text at once (the title's "*" follows it);
// its value waits for the commit.
void typed(GtkEntry* entry, gpointer data) {
    const Control* control = static_cast<const Control*>(data);
    if (Session* session = app().session; session && app().form && !app().form->updating())
        typeText(session->design, control->field, gtk_entry_get_text(entry));
    refreshTitle();
}

void connectEntry(GtkForm& form, const Control& control) {
    if (GtkWidget* entry = form.widget(control.widget)) {
        g_signal_connect(entry, "activate", G_CALLBACK(entryActivated), nullptr);
        g_signal_connect(entry, "changed", G_CALLBACK(typed), const_cast<Control*>(&control));
        if (control.stepClass != StepClass::None)
            g_signal_connect(entry, "key-press-event", G_CALLBACK(entryKey), nullptr);
    }
}

}  // namespace

void connectFormSignals(GtkForm& form) {
    for (const Control& control : controls()) {
        GtkWidget* w = form.widget(control.widget);
        if (control.kind == ControlKind::Entry || control.kind == ControlKind::Text) {
            connectEntry(form, control);
        } else if (w) {
            g_signal_connect(w, "toggled", G_CALLBACK(somethingChanged), nullptr);
        }
    }
    if (GtkWidget* units = form.widget("comboboxUnits"))
        g_signal_connect(units, "changed", G_CALLBACK(somethingChanged), nullptr);
}

void refreshTitle() {
    const AppContext& ctx = app();
    if (ctx.session && ctx.mainWindow)
        gtk_window_set_title(GTK_WINDOW(ctx.mainWindow), windowTitle(*ctx.session).c_str());
}

}  // namespace bowlyn

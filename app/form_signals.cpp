#include "app/form_signals.h"

#include <gtk/gtk.h>

#include "app/app_context.h"
#include "app/gtk_form.h"
#include "commands/unsaved_changes.h"
#include "geometry/pass_display.h"
#include "model/field_table.h"
#include "model/form_editing.h"

namespace bowlyn {
namespace {

void entryActivated(GtkEntry* entry, gpointer) {
    Document* doc = app().doc;
    if (!doc || !app().form)
        return;
    commitEntryWidget(*doc, app().form->nameOf(GTK_WIDGET(entry)));
    recomputeAndShow(*doc);
}

void somethingChanged(GtkWidget*, gpointer) {
    refreshTitle();
}

void connectEntry(GtkForm& form, const std::string& name) {
    if (GtkWidget* entry = form.widget(name)) {
        g_signal_connect(entry, "activate", G_CALLBACK(entryActivated), nullptr);
        g_signal_connect(entry, "changed", G_CALLBACK(somethingChanged), nullptr);
    }
}

}  // namespace

void connectFormSignals(GtkForm& form) {
    for (const Control& control : controls()) {
        GtkWidget* w = form.widget(control.widget);
        if (control.kind == ControlKind::Entry || control.kind == ControlKind::Text) {
            connectEntry(form, control.widget);
        } else if (w) {
            g_signal_connect(w, "toggled", G_CALLBACK(somethingChanged), nullptr);
        }
    }
    if (GtkWidget* units = form.widget("comboboxUnits"))
        g_signal_connect(units, "changed", G_CALLBACK(somethingChanged), nullptr);
}

void refreshTitle() {
    const AppContext& ctx = app();
    if (ctx.doc && ctx.mainWindow)
        gtk_window_set_title(GTK_WINDOW(ctx.mainWindow), windowTitle(*ctx.doc).c_str());
}

}  // namespace bowlyn

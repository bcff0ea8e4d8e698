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
    connectEntry(form, "entryDescription");
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        for (const std::string& name : def.widgets) {
            GtkWidget* w = form.widget(name);
            if (w && GTK_IS_ENTRY(w) && name != "entryDescription") {
                connectEntry(form, name);
            } else if (w && GTK_IS_TOGGLE_BUTTON(w)) {
                g_signal_connect(w, "toggled", G_CALLBACK(somethingChanged), nullptr);
            }
        }
    }
    // The taper choice's second pair of radio buttons is not in the field table.
    for (const char* name :
         {"radiobuttonFretboardWidthAtFret", "radiobuttonFretboardStringSpacing"}) {
        if (GtkWidget* w = form.widget(name))
            g_signal_connect(w, "toggled", G_CALLBACK(somethingChanged), nullptr);
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

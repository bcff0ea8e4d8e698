#pragma once

#include <gtk/gtk.h>

// Handlers the program connects itself; all others are connected by name
// from the window description.
extern "C" {
G_MODULE_EXPORT void comboboxUnits_changed_cb(GtkComboBox* combo, gpointer data);
}

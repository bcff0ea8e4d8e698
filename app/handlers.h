#pragma once

#include <gtk/gtk.h>

#include <string>

#include "model/form_editing.h"

namespace bowlyn {
// One click of a stepper of `entry`, from its button or from Up and Down in
// the entry: steps, remembers the change for undo and redraws.
void stepEntry(const std::string& entry, StepDirection direction);
}  // namespace bowlyn

// Handlers the program connects itself; all others are connected by name
// from the window description.
extern "C" {
G_MODULE_EXPORT void comboboxUnits_changed_cb(GtkComboBox* combo, gpointer data);
}

#pragma once

namespace bowlyn {

class GtkForm;

// Signals the program connects itself rather than through the description:
// Enter in any entry commits it and redraws in the current drawing mode, Up
// and Down in an entry with steppers step it, and
// every edit, switch and units change keeps the window title up to date.
void connectFormSignals(GtkForm& form);

// "om.bowlyn* - Bowlyn" for the open design; nothing without a window.
void refreshTitle();

}  // namespace bowlyn

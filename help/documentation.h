#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace bowlyn {

// Opens the user guide "doc.htm" in the desktop's browser. When the guide is
// missing or no browser takes it, an error message names the file, so that
// the user can open it by hand.
void openDocumentation();

// The About box's link hook: opens the clicked address in the browser, with
// the same message when that fails.
void openLink(GtkAboutDialog* dialog, const gchar* link, gpointer data);

// Hands a file or web address to the desktop's default application. `failed`
// runs when nothing takes it: at once, or later when xdg-open gives up.
void openUri(const std::string& uri, std::function<void()> failed);

// Tests put a recorder here so that nothing is launched; it returns whether
// the address was taken. An empty function brings the desktop's launcher back.
void setUriLauncher(std::function<bool(const std::string&)> launcher);

}  // namespace bowlyn

#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace bowlyn {

// Opens the user guide "doc.htm" in the desktop's browser. A missing guide or
// browser is not reported.
void openDocumentation();

// The About box's link hook: opens the clicked address in the browser.
void openLink(GtkAboutDialog* dialog, const gchar* link, gpointer data);

// Hands a file or web address to the desktop's default application; failures
// are ignored.
void openUri(const std::string& uri);

// Tests put a recorder here so that nothing is launched; an empty function
// brings the desktop's launcher back.
void setUriLauncher(std::function<void(const std::string&)> launcher);

}  // namespace bowlyn

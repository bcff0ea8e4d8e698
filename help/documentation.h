#pragma once

#include <functional>
#include <string>

#include "help/help_host.h"

namespace bowlyn {

// Opens the host's user guide in the desktop's browser. When the guide is
// missing or no browser takes it, an error message names the file, so that
// the user can open it by hand.
void openDocumentation(const HelpHost& host);

// Makes every About box open a clicked link in the browser, telling
// `showError` when that fails.
void setLinkHook(std::function<void(const std::string&)> showError);

// Hands a file or web address to the desktop's default application. `failed`
// runs when nothing takes it: at once, or later when xdg-open gives up.
void openUri(const std::string& uri, std::function<void()> failed);

// Tests put a recorder here so that nothing is launched; it returns whether
// the address was taken. An empty function brings the desktop's launcher back.
void setUriLauncher(std::function<bool(const std::string&)> launcher);

}  // namespace bowlyn

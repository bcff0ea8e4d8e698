#pragma once

#include "help/help_host.h"

namespace bowlyn {

// The About box: name, release, description (with a note when the release
// check names a newer release), licence and home page link. Runs modally
// over the host's window and is destroyed when closed.
void showAbout(const HelpHost& host);

}  // namespace bowlyn

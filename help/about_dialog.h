#pragma once

namespace bowlyn {

// The About box: name, release, description (with a note when the release
// check names a newer release), licence and home page link. Runs modally
// over the main window and is destroyed when closed.
void showAbout();

}  // namespace bowlyn

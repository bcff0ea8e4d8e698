#pragma once

#include <string>

namespace bowlyn {

// Start-up from the resource file to the cleared design on screen: the window
// description is loaded, its widgets looked up, the drawing and the units box
// made, the handlers connected and the window shown. GTK must be initialised.
// On failure nothing stays open and `error` says what is wrong.
// `descriptionPath` replaces the search for the description when not "".
bool openMainWindow(std::string& error, const std::string& descriptionPath = "");

// Opens a parameter file named when the program was started, as File > Open
// would (a message when it cannot); the history begins with it.
void openDesignAtStart(const std::string& path);

// Destroys the window and the document behind it; app() is empty afterwards.
void closeMainWindow();

// The warning for a desktop of that size, or "" when the window fits.
std::string screenSizeMessage(int width, int height);
// Warns (through app().dialogs) when the desktop is too small for the window.
void screenSizeCheck();

// Runs the GTK main loop until the window is closed or Quit is chosen.
void runMainLoop();

}  // namespace bowlyn

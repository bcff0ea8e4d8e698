#pragma once

#include <string>

#include "geometry/document.h"
#include "model/dialogs.h"

namespace bowlyn {

enum class SaveVariant { Save, SaveAs };

// File menu: choose a parameter file and load it (messages and the dialog
// again on failure), or save the form's design. Save writes to the current
// file, with ".bowlyn" added unless the name ends in it; true when the design
// was written.
void openCommand(Document& doc, Dialogs& dialogs);
// Loads the parameter file `name` as Open does once it is chosen: the
// messages on failure, the design left as it was. True when loaded.
bool openFile(Document& doc, Dialogs& dialogs, const std::string& name);
bool saveCommand(Document& doc, Dialogs& dialogs, SaveVariant variant);
// Writes the entity list of the last complete pass as DXF, or refuses.
void exportDxf(Document& doc, Dialogs& dialogs);

// True for an existing regular file, whatever its permissions.
bool fileExists(const std::string& path);
// The path up to and including its last "/", or "".
std::string directoryPart(const std::string& path);

// The name as it will be written: `lower` added unless it ends in `lower` or
// `upper` or is written as named (a device, a pipe, /dev/stdout). Added before the existence test,
// so the overwrite question always names the file that is about to be replaced.
std::string withExtension(const std::string& name, const char* lower, const char* upper);
// "File '<name>' exists. Overwrite it?"
std::string overwriteQuestion(const std::string& name);
// "Could not write '<name>': <reason>"
std::string writeFailure(const std::string& name, const std::string& reason);

}  // namespace bowlyn

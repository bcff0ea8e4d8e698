#pragma once

#include <string>

#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

enum class SaveVariant { Save, SaveAs };

// File menu: choose a parameter file and load it (messages and the dialog
// again on failure), or save the form's design. Save writes to the session's
// save target (the file the title names); true when the design was written.
void openCommand(Session& session, Dialogs& dialogs);
// Loads the parameter file `name` as Open does once it is chosen: the
// messages on failure, the design left as it was. True when loaded.
bool openFile(Session& session, Dialogs& dialogs, const std::string& name);
bool saveCommand(Session& session, Dialogs& dialogs, SaveVariant variant);
// Writes the entity list of the last complete pass as DXF, or refuses.
// True when a file was written; the status line then says which.
bool exportDxf(Session& session, Dialogs& dialogs);

// The name a chooser of files with `extension` starts with: the file's own
// name with that extension, or the design's name ("" when it has none).
std::string suggestedFileName(const Session& session, const std::string& extension);
// "Wrote om.svg", or with a summary "Wrote om.pdf: 11 pages of A4", in the
// status line.
void showWritten(Document& doc, const std::string& path, const std::string& summary = "");

// True for an existing regular file, whatever its permissions.
bool fileExists(const std::string& path);
// The path up to and including its last "/", or "".
std::string directoryPart(const std::string& path);

// "File '<name>' exists. Overwrite it?"
std::string overwriteQuestion(const std::string& name);
// "Could not write '<name>': <reason>"
std::string writeFailure(const std::string& name, const std::string& reason);

}  // namespace bowlyn

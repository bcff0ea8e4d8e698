#pragma once

#include <functional>
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
// Asks with `ask` (given the folder and the name to start with) until a name
// is chosen that may be written: a new file, or an existing one the user
// agreed to replace. The chooser starts with the file's or the design's name
// with `extension`; the name chosen gets `extension` unless it ends in it or
// in its capitals, before the question, which therefore names the file about
// to be replaced. An empty path when the chooser is cancelled: an export then
// forgets the folder, Save As keeps it.
ExportChoice chooseTarget(
    Session& session, Dialogs& dialogs, const std::string& extension, bool forgetFolderOnCancel,
    const std::function<ExportChoice(const std::string& folder, const std::string& name)>& ask);

// The name a chooser of files with `extension` starts with: the file's own
// name with that extension, or the design's name ("" when it has none).
std::string suggestedFileName(const Session& session, const std::string& extension);
// "Wrote om.svg", or with a summary "Wrote om.pdf: 11 pages of A4", in the
// status line, followed by what the writer noticed.
void showWritten(Session& session, const std::string& path, const std::string& summary = "",
                 const std::string& notice = "");

// True for an existing regular file, whatever its permissions.
bool fileExists(const std::string& path);
// The path up to and including its last "/", or "".
std::string directoryPart(const std::string& path);

// "File '<name>' exists. Overwrite it?"
std::string overwriteQuestion(const std::string& name);
// "Could not write '<name>': <reason>"
std::string writeFailure(const std::string& name, const std::string& reason);

}  // namespace bowlyn

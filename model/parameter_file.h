#pragma once

#include <string>

#include "model/design.h"
#include "model/version.h"

namespace bowlyn {

enum class ReadResult { Loaded, NotFound, NotParameterFile };

// Field n (from 1) of `line` split at `separator`, trimmed of spaces.
std::string splitField(const std::string& line, int n, char separator);

// The 67 lines of the form's current design, CR LF after each.
std::string parameterFileText(const Design& design);

// Remembers the form's design as the one last loaded or saved.
void markSaved(Design& design);
// Whether the form shows anything else than what was last loaded or saved,
// typed text that no entry has committed yet included.
bool hasUnsavedChanges(const Design& design);

// Writes atomically: a temporary file in the same folder, flushed, then renamed
// over `path` (over the file it names if `path` is a symbolic link), so a
// failed write never destroys the previous file; the old file's permissions
// are kept, and a read-only file is refused. Devices and pipes are written in
// place. See writeFileAtomically. Returns "" on success, else the reason (the
// system's error text).
std::string writeParameterFile(const Design& design, const std::string& path);

// Checks the header, fills the work row, loads it and makes `path` the current
// file name. The design is unchanged unless the result is Loaded. NotFound when
// the file cannot be opened; NotParameterFile for a wrong header, fewer than
// two lines, more than 100,000 lines or 64 MB, a directory or device, or a
// read error. Values that are not UTF-8
// are read as Windows-1252 and NUL bytes dropped. Does not reset the display
// (the caller does).
ReadResult readParameterFile(Design& design, const std::string& path);

}  // namespace bowlyn

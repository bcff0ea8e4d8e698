#pragma once

#include <string>

#include "model/design.h"
#include "model/version.h"

namespace bowlyn {

enum class ReadResult { Loaded, NotFound, NotParameterFile };

// Field n (from 1) of `line` split at `separator`, trimmed of spaces.
std::string splitField(const std::string& line, int n, char separator);

// The name as it will be written: `lower` added unless it ends in `lower` or
// `upper` or is written as named (a device, a pipe, /dev/stdout). Added before
// the existence test, so the overwrite question always names the file that is
// about to be replaced.
std::string withExtension(const std::string& name, const char* lower, const char* upper);
// The parameter file Save writes for `name`: ".bowlyn" added unless it ends
// in ".bowlyn" or ".BOWLYN", so "design.txt" is saved as "design.txt.bowlyn"
// and the file it came from stays as it was.
std::string parameterFileName(const std::string& name);

// The 67 lines of the form's current design, CR LF after each.
std::string parameterFileText(const Design& design);

// Writes atomically: a temporary file in the same folder, flushed, then renamed
// over `path` (over the file it names if `path` is a symbolic link), so a
// failed write never destroys the previous file; the old file's permissions
// are kept, and a read-only file is refused. Devices and pipes are written in
// place. See writeFileAtomically. Returns "" on success, else the reason (the
// system's error text).
std::string writeParameterFile(const Design& design, const std::string& path);

// Checks the header and reads the texts of the fields to load (blank, a
// single space, for a field the file does not give). `texts` is unchanged
// unless the result is Loaded. NotFound when the file cannot be opened;
// NotParameterFile for a wrong header, fewer than two lines, more than
// 100,000 lines or 64 MB, a directory or device, or a read error. Values that
// are not UTF-8 are read as Windows-1252 and NUL bytes dropped.
ReadResult readParameterFile(const std::string& path, FieldTexts& texts);

}  // namespace bowlyn

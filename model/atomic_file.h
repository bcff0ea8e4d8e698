#pragma once

#include <string>

namespace bowlyn {

// Replaces the file at `path` with `bytes` so that readers only ever see the
// old or the complete new content: the bytes go to a temporary file in the
// same folder, are flushed to disk, and the temporary file is then renamed
// over `path`. A symbolic link is followed (the file it points to is
// replaced), an existing file keeps its permissions, and a file that may not
// be written (read-only) is refused as a direct write would be. On failure the
// old file is untouched and no temporary file is left behind.
//
// Where no file can be renamed over the target, it is written in place:
// - the process's own descriptors (/dev/stdout, /dev/fd/N, /proc/self/fd/N)
//   are written as they are, so "-o /dev/stdout >> log" appends and a pipe
//   stays a pipe;
// - devices and pipes are opened and written;
// - an existing regular file reached through /dev or /proc, or in a folder
//   where no temporary file can be made, is rewritten with its old contents
//   kept in memory and put back if the write fails.
//
// Returns "" on success, otherwise the reason (the system's error text).
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

// The descriptor of this process that `path` names (1 for /dev/stdout), or -1.
int descriptorNamedBy(const std::string& path);

// Whether `path` must be written under exactly that name, never with an
// extension added: it names one of this process's descriptors or leads,
// through its links, to something that is not a regular file (a device, a
// pipe, a folder). Asked before an extension is added, since the name with
// it would be a new file beside the device (/dev/stdout.pdf) or nowhere.
bool writtenAsNamed(const std::string& path);

}  // namespace bowlyn

#pragma once

#include <string>

namespace bowlyn {

// The ways to write a file that cannot be replaced by a renamed temporary
// file. Each returns "" on success, otherwise the reason (the system's error
// text).

// Writes to a descriptor the process already holds (standard output): its
// offset, its append mode and its pipe stay as the shell set them up.
std::string writeToDescriptor(int fd, const std::string& bytes);

// Writes a device or pipe where it is. Opened without blocking, so that a
// pipe nobody reads fails instead of hanging.
std::string writeToDevice(const std::string& path, const std::string& bytes);

// Rewrites a regular file where it is: its old contents are kept in memory
// and put back if the new ones cannot all be written and flushed. Readers may
// see a half-written file meanwhile; the file keeps its inode, owner and
// permissions.
std::string rewriteInPlace(const std::string& path, const std::string& bytes);

}  // namespace bowlyn

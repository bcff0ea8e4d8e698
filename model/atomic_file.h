#pragma once

#include <string>

namespace bowlyn {

// Replaces the file at `path` with `bytes` so that readers only ever see the
// old or the complete new content: the bytes go to a temporary file in the
// same folder, are flushed to disk, and the temporary file is then renamed
// over `path`. A symbolic link is followed (the file it points to is
// replaced), an existing file keeps its permissions, and a file that may not
// be written (read-only) is refused as a direct write would be. On failure the
// old file is untouched and no temporary file is left behind. Devices and
// pipes (/dev/stdout) are written in place.
//
// Returns "" on success, otherwise the reason (the system's error text).
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace bowlyn

#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace bowlyn {
namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// The folder part of `path` including its final "/", or "" for a bare name.
std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool writeAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Creates a new file next to the target, named so that it cannot clash with
// a file of the user's and is recognisable if a crash ever leaves one behind.
int createTemporary(const std::string& folder, std::string& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name =
            folder + ".bowlyn-tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Devices and pipes cannot be replaced by a renamed file (and must not be:
// "-o /dev/stdout" is meant); they are written in place, as any program would.
// Opened without blocking so that a pipe nobody reads fails instead of hanging.
std::string writeInPlace(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return reason(errno);
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    int error = writeAll(fd, bytes) ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? "" : reason(error);
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);  // best effort: the rename itself has already succeeded
    ::close(fd);
}

}  // namespace

std::string writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty())
        return reason(ENOENT);

    // Replacing a link with a file would silently cut it; write where it points.
    std::string target = path;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved)
            return reason(errno);
        target = resolved;
        std::free(resolved);
    }

    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return reason(EISDIR);
        // A read-only file stays protected, as it would against a direct write.
        if (::access(target.c_str(), W_OK) != 0)
            return reason(errno);
        if (!S_ISREG(st.st_mode))
            return writeInPlace(target, bytes);
    }

    const std::string folder = folderOf(target);
    std::string temporary;
    int fd = createTemporary(folder, temporary);
    if (fd < 0)
        return reason(errno);
    if (exists)
        ::fchmod(fd, st.st_mode & 07777);  // keep the permissions the user gave it

    int error = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return reason(error);
    }
    syncFolder(folder);
    return "";
}

}  // namespace bowlyn

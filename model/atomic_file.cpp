#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "model/in_place_write.h"

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

namespace fs = std::filesystem;

// Where a name leads: to one of this process's own descriptors (standard
// output as /dev/stdout, /dev/fd/1 or /proc/self/fd/1), and whether any name
// on the way lies in /dev or /proc, whose links name open files, pipes and
// devices rather than places in a folder.
struct Route {
    int descriptor = -1;
    bool special = false;
};

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// The name made absolute with the links of its folder followed, the last
// part kept as it is so that a link there can be looked at.
std::string withRealFolder(const fs::path& name) {
    std::error_code ec;
    fs::path absolute = fs::absolute(name, ec).lexically_normal();
    if (ec)
        return name.string();
    fs::path folder = fs::canonical(absolute.parent_path(), ec);
    return ec ? absolute.string() : (folder / absolute.filename()).string();
}

int ownDescriptor(const std::string& name) {
    const std::string prefix = "/proc/" + std::to_string(::getpid()) + "/fd/";
    if (!startsWith(name, prefix))
        return -1;
    const std::string number = name.substr(prefix.size());
    if (number.empty() || number.size() > 9 ||
        number.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(number);
}

Route routeOf(const std::string& path) {
    Route route;
    fs::path name = path;
    for (int hop = 0; hop < 40; ++hop) {
        const std::string here = withRealFolder(name);
        route.special = route.special || startsWith(here, "/dev/") || startsWith(here, "/proc/");
        route.descriptor = ownDescriptor(here);
        std::error_code ec;
        if (route.descriptor >= 0 || !fs::is_symlink(fs::symlink_status(here, ec)))
            return route;
        fs::path target = fs::read_symlink(here, ec);
        if (ec)
            return route;
        name = target.is_relative() ? fs::path(here).parent_path() / target : target;
    }
    return route;
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

    const Route route = routeOf(path);
    if (route.descriptor >= 0)
        return writeToDescriptor(route.descriptor, bytes);

    // Replacing a link with a file would silently cut it; write where it points.
    // Links in /dev and /proc are opened as they are: they name open files.
    std::string target = path;
    struct stat st;
    if (!route.special && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
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
        // Devices and pipes cannot be replaced by a renamed file (and must not be).
        if (!S_ISREG(st.st_mode))
            return writeToDevice(target, bytes);
        if (route.special)
            return rewriteInPlace(target, bytes);
    }

    const std::string folder = folderOf(target);
    std::string temporary;
    int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        // A folder the user may not write can still hold a file the user may.
        return exists ? rewriteInPlace(target, bytes) : reason(errno);
    }
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
        // A file mounted over another (a container's resolver configuration,
        // say) cannot be renamed over, but it can be rewritten.
        if (error == EBUSY && exists)
            return rewriteInPlace(target, bytes);
        return reason(error);
    }
    syncFolder(folder);
    return "";
}

int descriptorNamedBy(const std::string& path) {
    return path.empty() ? -1 : routeOf(path).descriptor;
}

bool writtenAsNamed(const std::string& path) {
    struct stat st;
    return descriptorNamedBy(path) >= 0 || (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode));
}

}  // namespace bowlyn

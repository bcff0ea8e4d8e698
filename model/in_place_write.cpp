#include "model/in_place_write.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bowlyn {
namespace {

// The program writes files of a few hundred kilobytes at most; a larger file
// in the way is not read into memory to be kept.
constexpr off_t KEEP_LIMIT = 64 << 20;

std::string reason(int error) {
    return std::strerror(error);
}

// Writes everything at the descriptor's offset; a descriptor left in
// non-blocking mode by whoever opened it is waited for rather than failed.
bool writeAll(int fd, const char* p, size_t left) {
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready{fd, POLLOUT, 0};
                ::poll(&ready, 1, -1);
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Writes at `offset`; `written` counts the bytes that reached the file, so
// that exactly those can be put back.
bool writeAllAt(int fd, const std::string& bytes, size_t length, size_t& written) {
    written = 0;
    while (written < length) {
        ssize_t n =
            ::pwrite(fd, bytes.data() + written, length - written, static_cast<off_t>(written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// 0, or the reason the file could not be read whole.
int readAll(int fd, std::string& bytes, size_t size) {
    bytes.resize(size);
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;  // shorter than it was a moment ago
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Puts back the old bytes over the range the failed write touched (all of it
// lies below any file size limit that stopped the write) and the old length.
void restore(int fd, const std::string& old, size_t touched) {
    size_t ignored;
    writeAllAt(fd, old, touched < old.size() ? touched : old.size(), ignored);
    if (::ftruncate(fd, static_cast<off_t>(old.size())) == 0)
        ::fsync(fd);
}

}  // namespace

std::string writeToDescriptor(int fd, const std::string& bytes) {
    return writeAll(fd, bytes.data(), bytes.size()) ? "" : reason(errno);
}

std::string writeToDevice(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return reason(errno);
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    int error = writeAll(fd, bytes.data(), bytes.size()) ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? "" : reason(error);
}

std::string rewriteInPlace(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return reason(errno);
    struct stat st;
    int error = 0;
    std::string old;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        error = EINVAL;
    } else if (st.st_size > KEEP_LIMIT) {
        error = EFBIG;
    } else {
        error = readAll(fd, old, static_cast<size_t>(st.st_size));
    }
    if (error != 0) {
        ::close(fd);
        return reason(error);
    }

    size_t written = 0;
    if (!writeAllAt(fd, bytes, bytes.size(), written) ||
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) {
        error = errno;
        restore(fd, old, written);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? "" : reason(error);
}

}  // namespace bowlyn

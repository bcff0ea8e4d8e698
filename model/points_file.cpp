#include "model/points_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace bowlyn {
namespace {

struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

// At most `limit` bytes, and one more if the file has more, so that a file
// that grew after the size check is still seen to be too large.
bool readBounded(int fd, std::string& bytes, std::size_t limit) {
    char buffer[1 << 16];
    while (bytes.size() <= limit) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool normalisedPointsText(const std::string& bytes, std::string& text) {
    text.clear();
    text.reserve(bytes.size());
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            c = '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        }
        if (c == '\n' && ++lines > POINTS_FILE_MAX_LINES)
            return false;
        text += c;
    }
    const bool unended = !text.empty() && text.back() != '\n';
    return lines + (unended ? 1 : 0) <= POINTS_FILE_MAX_LINES;
}

PointsFileResult readBoundedFile(const std::string& path, std::size_t maxBytes,
                                 std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return PointsFileResult::NotFound;
    FileCloser closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return PointsFileResult::ReadError;
    if (!S_ISREG(st.st_mode))
        return PointsFileResult::NotRegularFile;
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return PointsFileResult::TooLarge;
    bytes.clear();
    if (!readBounded(fd, bytes, maxBytes))
        return PointsFileResult::ReadError;
    return bytes.size() > maxBytes ? PointsFileResult::TooLarge : PointsFileResult::Read;
}

PointsFileResult readPointsFile(const std::string& path, std::string& text) {
    std::string bytes;
    const PointsFileResult read = readBoundedFile(path, POINTS_FILE_MAX_BYTES, bytes);
    if (read != PointsFileResult::Read)
        return read;
    std::string lines;
    if (!normalisedPointsText(bytes, lines))
        return PointsFileResult::TooLarge;
    text = std::move(lines);
    return PointsFileResult::Read;
}

}  // namespace bowlyn

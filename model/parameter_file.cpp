#include "model/parameter_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/atomic_file.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

constexpr char SEPARATOR = ',';
constexpr const char* LINE_END = "\r\n";

// A parameter file has 67 short lines. These bounds only keep whatever else a
// user may pick (a disk image, a log, /dev/zero) from filling the memory or
// holding the program for long; no file the program writes comes near them.
// A file beyond them is refused whole: loading only its start could load a
// blank design that Save would then write over the real one, and a line cut
// short would be saved back cut.
constexpr size_t MAX_LINE_BYTES = 1 << 20;
constexpr size_t MAX_FILE_BYTES = 64u << 20;
constexpr size_t MAX_LINES = 100000;

std::string trimSpaces(const std::string& s) {
    size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::string();
    size_t end = s.find_last_not_of(' ');
    return s.substr(begin, end - begin + 1);
}

// ---- reading -------------------------------------------------------------

// Splits a byte stream into lines ended by CR LF, LF or CR, within the bounds
// above. A read error ends the lines and is remembered, and so is a stream
// that goes on beyond the bounds.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}

    bool next(std::string& line) {
        line.clear();
        if (tooLong_)
            return false;
        if (lines_ >= MAX_LINES) {
            tooLong_ = tooLong_ || moreBytes();
            return false;
        }
        bool any = false;
        for (;;) {
            if (pos_ == len_ && !fill())
                break;
            char c = buffer_[pos_++];
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (c == '\n')
                    continue;
            }
            if (c == '\r' || c == '\n') {
                skipLineFeed_ = c == '\r';
                ++lines_;
                return true;
            }
            if (line.size() == MAX_LINE_BYTES) {
                tooLong_ = true;
                return false;
            }
            any = true;
            line.push_back(c);
        }
        if (any)
            ++lines_;
        return any;
    }

    bool failed() const { return failed_; }
    bool tooLong() const { return tooLong_; }

  private:
    // Whether anything but the line feed that ends the last line follows.
    bool moreBytes() {
        for (;;) {
            if (pos_ == len_ && !fill())
                return false;
            if (!skipLineFeed_ || buffer_[pos_] != '\n')
                return true;
            skipLineFeed_ = false;
            ++pos_;
        }
    }

    bool fill() {
        if (failed_)
            return false;
        if (total_ >= MAX_FILE_BYTES) {
            char extra;
            tooLong_ = tooLong_ || ::read(fd_, &extra, 1) > 0;
            return false;
        }
        ssize_t n;
        do {
            n = ::read(fd_, buffer_, sizeof buffer_);
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            failed_ = true;
        if (n <= 0)
            return false;
        pos_ = 0;
        len_ = static_cast<size_t>(n);
        total_ += len_;
        return true;
    }

    int fd_;
    char buffer_[1 << 16];
    size_t pos_ = 0;
    size_t len_ = 0;
    size_t total_ = 0;
    size_t lines_ = 0;
    bool skipLineFeed_ = false;
    bool failed_ = false;
    bool tooLong_ = false;
};

struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0)
            ::close(fd);
    }
};

void appendUtf8(std::string& out, unsigned codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// Length of the well-formed UTF-8 sequence at `i`, or 0.
size_t utf8SequenceLength(const std::string& s, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    if (b < 0x80)
        return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;  // overlong
        if (b == 0xED)
            high = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// Windows-1252 for 0x80 to 0x9F (0 where the code page defines nothing).
const unsigned short windows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Entries show UTF-8 text. A file saved by an editor in another encoding (the
// old Windows code page, most likely) must not put invalid text into the form,
// so stray bytes are read as Windows-1252; NUL bytes would cut the text short
// and are dropped.
std::string displayableText(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '\0') {
            ++i;
            continue;
        }
        size_t length = utf8SequenceLength(s, i);
        if (length > 0) {
            out.append(s, i, length);
            i += length;
            continue;
        }
        unsigned char b = static_cast<unsigned char>(s[i++]);
        unsigned codePoint = b >= 0xA0 ? b : windows1252[b - 0x80];
        appendUtf8(out, codePoint ? codePoint : 0xFFFD);
    }
    return out;
}

bool headerAccepted(std::string line1, const std::string& line2) {
    // Editors on Windows like to start a UTF-8 file with a byte order mark.
    if (line1.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line1.erase(0, 3);
    return splitField(line1, 1, SEPARATOR) == "Product" &&
           splitField(line1, 2, SEPARATOR) == PRODUCT_NAME &&
           splitField(line2, 1, SEPARATOR) == "Version" &&
           readNumber(splitField(line2, 2, SEPARATOR)) <= PRODUCT_VERSION;
}

// One line after the header: "label,value". A line without a comma has no
// value, and a blank value leaves the field blank.
void readFieldLine(FieldTexts& row, const std::string& rawLine) {
    const std::string line = displayableText(rawLine);
    size_t comma = line.find(SEPARATOR);
    if (comma == std::string::npos)
        return;
    int k = fieldByLabel(splitField(line, 1, SEPARATOR));
    if (k == 0)
        return;
    // Like every value, the name's first comma-separated part must not be
    // blank ("Name,,Guitar" leaves the name blank); a name may contain
    // commas, so it is then the whole rest of the line.
    if (splitField(line, 2, SEPARATOR).empty())
        return;
    row[k - 1] =
        field(k).kind == FieldKind::Text ? line.substr(comma + 1) : splitField(line, 2, SEPARATOR);
}

// ---- writing -------------------------------------------------------------

// A line break inside an entry text would end its line early and could even
// forge another field's line; the file keeps one line per field.
std::string singleLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

std::string valuePart(const Design& design, int k) {
    const FieldDef& def = field(k);
    const int32_t flag = static_cast<int32_t>(fieldValue(design.params, k));
    switch (def.kind) {
        case FieldKind::Units:
            return flag == UNITS_INCH ? ",Inch" : ",CM";
        case FieldKind::Boolean:
            return flag == 1 ? ",1,TRUE" : ",0,FALSE";
        case FieldKind::Choice: {
            const ChoicePair& pair =
                *std::find_if(choicePairs().begin(), choicePairs().end(),
                              [k](const ChoicePair& p) { return p.field == k; });
            const Control& chosen = controls()[pair.buttons[flag == 0 ? 0 : 1]];
            return "," + std::to_string(chosen.value) + "," + chosen.valueName;
        }
        default:
            return "," + singleLine(design.text(k));
    }
}

}  // namespace

std::string splitField(const std::string& line, int n, char separator) {
    if (line.find(separator) == std::string::npos)
        return trimSpaces(line);
    if (n < 1)
        return std::string();
    size_t begin = 0;
    for (int i = 1; i < n; ++i) {
        size_t sep = line.find(separator, begin);
        if (sep == std::string::npos)
            return std::string();
        begin = sep + 1;
    }
    size_t end = line.find(separator, begin);
    if (end == std::string::npos)
        end = line.size();
    return trimSpaces(line.substr(begin, end - begin));
}

std::string withExtension(const std::string& name, const char* lower, const char* upper) {
    const auto endsWith = [&name](const std::string& tail) {
        return name.size() >= tail.size() &&
               name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith(lower) || endsWith(upper) || writtenAsNamed(name) ? name : name + lower;
}

std::string parameterFileName(const std::string& name) {
    return withExtension(name, ".bowlyn", ".BOWLYN");
}

std::string parameterFileText(const Design& design) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += LINE_END;
    };
    line(std::string("Product,") + PRODUCT_NAME);
    line("Version, " + doubleToText(PRODUCT_VERSION));
    line(",Native file format of Bowlyn guitar body outline tool.");
    for (int k = 1; k <= FIELD_COUNT; ++k)
        line(field(k).label + valuePart(design, k));
    return out;
}

std::string writeParameterFile(const Design& design, const std::string& path) {
    return writeFileAtomically(path, parameterFileText(design));
}

ReadResult readParameterFile(const std::string& path, FieldTexts& texts) {
    // Without O_NONBLOCK, opening a pipe that nobody writes would wait forever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ReadResult::NotFound;
    FileCloser closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return ReadResult::NotFound;
    // Devices such as a terminal could block or never end; only plain files
    // and pipes hold parameter files.
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode))
        return ReadResult::NotParameterFile;
    if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > MAX_FILE_BYTES)
        return ReadResult::NotParameterFile;
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    LineReader reader(fd);
    std::string line1, line2;
    if (!reader.next(line1) || !reader.next(line2) || !headerAccepted(line1, line2)) {
        return ReadResult::NotParameterFile;
    }

    // Collected apart, so that a read error half way leaves the texts as
    // they were.
    FieldTexts row;
    row.fill(" ");
    std::string line;
    while (reader.next(line))
        readFieldLine(row, line);
    if (reader.failed() || reader.tooLong())
        return ReadResult::NotParameterFile;

    texts = row;
    return ReadResult::Loaded;
}

}  // namespace bowlyn

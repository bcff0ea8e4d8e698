#include "trace/points_reader.h"

#include <charconv>
#include <cmath>

namespace bowlyn {
namespace {

bool separator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

// The numbers of one line, at most three (one more than a point has, to
// tell a line with too many from a good one).
int readNumbers(const std::string& line, double (&values)[3]) {
    int count = 0;
    size_t i = 0;
    while (count < 3) {
        while (i < line.size() && separator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        // from_chars takes no leading "+"; a sign is part of the number.
        const size_t start = line[i] == '+' ? i + 1 : i;
        const char* end = line.data() + line.size();
        auto r = std::from_chars(line.data() + start, end, values[count]);
        if (r.ec != std::errc() || (r.ptr != end && !separator(*r.ptr)))
            return -1;
        i = static_cast<size_t>(r.ptr - line.data());
        ++count;
    }
    return count;
}

}  // namespace

TraceFile readPointsOutline(const std::string& text) {
    TraceFile file;
    TracePiece piece;
    size_t begin = 0, lineNumber = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.resize(hash);
        double v[3] = {0, 0, 0};
        const int count = readNumbers(line, v);
        if (count == 0)
            continue;
        if (count != 2 || !std::isfinite(v[0]) || !std::isfinite(v[1])) {
            file.problem = "line " + std::to_string(lineNumber) + " is not a point \"x y\"";
            return file;
        }
        piece.points.push_back({v[0], v[1]});
    }
    if (!piece.points.empty())
        file.pieces.push_back(std::move(piece));
    return file;
}

}  // namespace bowlyn

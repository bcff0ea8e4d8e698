#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "geometry/overlays.h"
#include "model/number_text.h"

namespace bowlyn {
namespace {

// Where the line that starts at `pos` ends and where the next one starts. The
// text view ends a line at "\n", "\r\n", "\r" or U+2029, so text pasted from a
// file with CR LF line ends reads the same as typed text.
void findLineEnd(std::string_view text, size_t pos, size_t& end, size_t& next) {
    static constexpr std::string_view PARAGRAPH_SEPARATOR = "\xE2\x80\xA9";
    for (end = pos; end < text.size(); ++end) {
        char c = text[end];
        if (c == '\n') {
            next = end + 1;
            return;
        }
        if (c == '\r') {
            next = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
            return;
        }
        if (c == PARAGRAPH_SEPARATOR[0] && text.substr(end, 3) == PARAGRAPH_SEPARATOR) {
            next = end + 3;
            return;
        }
    }
    next = end;
}

// The two coordinate texts of a line: signs, digits and points as typed, with
// spaces and tabs left out. False when the line breaks the format.
bool splitLine(std::string_view line, std::string& x, std::string& y) {
    std::string* part = &x;
    bool pointSeen = false;
    bool commaSeen = false;
    for (char c : line) {
        if (c == ' ' || c == '\t')
            continue;
        if ((c >= '0' && c <= '9') || c == '+' || c == '-') {
            *part += c;
        } else if (c == '.') {
            if (pointSeen)
                return false;
            pointSeen = true;
            *part += c;
        } else if (c == ',') {
            if (commaSeen)
                return false;
            commaSeen = true;
            part = &y;
            pointSeen = false;
        } else {
            return false;
        }
    }
    return !x.empty() && !y.empty();
}

// The leading decimal number of a coordinate text. The texts hold only signs,
// digits and points, so the numeric prefix rule of the entries reads exactly
// an optional sign and digits with at most one point, and 0 without digits.
// False for a number too large for the single-precision drawing and form (a
// long run of digits), so such a line is dropped like any other bad line
// instead of carrying an infinity into the drawing, the list or the design.
bool readCoordinate(const std::string& text, double& value) {
    double v = readNumber(text);
    if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
        return false;
    value = v + 0.0;  // "-0" is the point 0, listed as 0
    return true;
}

// The digits of "%.16g" without an exponent: the dialog's own format has no
// exponent, so a listed point must read back as the same point when the list
// is applied again (1e-06 is listed as 0.000001, 1e+20 as 100000000000000000000).
std::string plainDecimal(double value) {
    std::string text = doubleToText(value);
    size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    const int exponent = std::stoi(text.substr(e + 1));
    std::string sign, digits;
    int before = 0;  // digits before the mantissa's point
    bool point = false;
    for (size_t i = 0; i < e; ++i) {
        char c = text[i];
        if (c == '-') {
            sign = "-";
        } else if (c == '.') {
            point = true;
        } else {
            digits += c;
            if (!point)
                ++before;
        }
    }
    const int pointAt = before + exponent;
    if (pointAt <= 0)
        return sign + "0." + std::string(-pointAt, '0') + digits;
    if (pointAt >= static_cast<int>(digits.size())) {
        return sign + digits + std::string(pointAt - digits.size(), '0');
    }
    return sign + digits.substr(0, pointAt) + "." + digits.substr(pointAt);
}

}  // namespace

void parseTransPoints(Overlays& overlays, const std::string& text) {
    overlays.transPointCount = 0;
    std::string_view all = text;
    size_t pos = 0;
    while (pos < all.size() && overlays.transPointCount < TRANS_POINT_CAPACITY) {
        size_t end = 0, next = 0;
        findLineEnd(all, pos, end, next);
        std::string xText, yText;
        TransPoint point;
        if (splitLine(all.substr(pos, end - pos), xText, yText) && readCoordinate(xText, point.x) &&
            readCoordinate(yText, point.y)) {
            overlays.transPoints[++overlays.transPointCount] = point;
        }
        pos = next;
    }
}

std::string listTransPoints(const Overlays& overlays) {
    std::string list;
    for (uint32_t i = 1; i <= overlays.transPointCount && i <= TRANS_POINT_CAPACITY; ++i) {
        list += plainDecimal(overlays.transPoints[i].x);
        list += ',';
        list += plainDecimal(overlays.transPoints[i].y);
        list += '\n';
    }
    return list;
}

}  // namespace bowlyn

#include "formats/export_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace bowlyn {

int lengthDecimals(double size) {
    if (!(size > 0.0) || !std::isfinite(size))
        return 12;
    const int digitsBeforePoint = static_cast<int>(std::floor(std::log10(size)));
    return std::clamp(12 - digitsBeforePoint, 0, 17);
}

namespace {

constexpr double powersOfTen[] = {1e0, 1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                  1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
// Below this the scaled value is a whole number a double holds exactly.
constexpr double EXACT_INTEGERS = 9007199254740992.0;  // 2^53

// Writes `value` to `decimals` places into `buffer` (room for 340 chars) and
// returns the end. The common case avoids the general conversion, which
// costs several times as much: the value scaled to a whole number of its
// last decimal, rounded once, and its digits with the point put back.
char* writeFixed(double value, int decimals, char* buffer) {
    decimals = std::clamp(decimals, 0, 17);
    const double scaled = std::fabs(value) * powersOfTen[decimals];
    char* end = buffer;
    if (scaled < EXACT_INTEGERS) {
        unsigned long long n = static_cast<unsigned long long>(std::llround(scaled));
        char digits[32];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n > 0 || count <= decimals);
        if (value < 0.0)
            *end++ = '-';
        for (int i = count - 1; i >= 0; --i) {
            *end++ = digits[i];
            if (i == decimals && i > 0)
                *end++ = '.';
        }
    } else {
        // The largest double has 309 digits before the point.
        auto result =
            std::to_chars(buffer, buffer + 340, value, std::chars_format::fixed, decimals);
        end = result.ec == std::errc() ? result.ptr : buffer;
    }
    if (std::find(buffer, end, '.') != end) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0') {
        buffer[0] = '0';
        end = buffer + 1;
    }
    return end;
}

}  // namespace

void appendFixed(std::string& out, double value, int decimals) {
    char buffer[340];
    out.append(buffer, writeFixed(value, decimals, buffer));
}

std::string fixedText(double value, int decimals) {
    std::string out;
    appendFixed(out, value, decimals);
    return out;
}

}  // namespace bowlyn

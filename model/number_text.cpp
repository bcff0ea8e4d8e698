#include "model/number_text.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <regex>
#include <string>

namespace bowlyn {
namespace {

bool isDigitIn(char c, int base) {
    if (c >= '0' && c <= '9')
        return c - '0' < base;
    if (base == 16)
        return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return false;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

double readRadixInteger(std::string_view text, size_t pos) {
    int base = 8;
    if (pos < text.size()) {
        char c = text[pos];
        if (c == 'H' || c == 'h') {
            base = 16;
            ++pos;
        } else if (c == 'O' || c == 'o') {
            ++pos;
        } else if (c == 'B' || c == 'b') {
            base = 2;
            ++pos;
        } else if (!(c >= '0' && c <= '9')) {
            return 0.0;
        }
    }
    double value = 0.0;
    for (; pos < text.size() && isDigitIn(text[pos], base); ++pos) {
        value = value * base + digitValue(text[pos]);
    }
    return value;
}

// strtod under the "C" locale: correct rounding, overflow to infinity and
// underflow to zero, and "." as the decimal point even after gtk_init.
double cLocaleStrtod(const std::string& s) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(s.c_str(), nullptr, cLocale);
}

std::string trimTrailingPoint(std::string s) {
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

}  // namespace

double readNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos < text.size() && text[pos] == '&')
        return readRadixInteger(text, pos + 1);

    std::string number;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        number += text[pos++];
    bool digits = false;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        number += text[pos++];
        digits = true;
    }
    if (pos < text.size() && text[pos] == '.') {
        number += text[pos++];
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            number += text[pos++];
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (pos < text.size() &&
        (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        size_t exp = pos + 1;
        std::string exponent = "e";
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-'))
            exponent += text[exp++];
        size_t firstDigit = exp;
        while (exp < text.size() && text[exp] >= '0' && text[exp] <= '9')
            exponent += text[exp++];
        if (exp > firstDigit)
            number += exponent;
    }
    return cLocaleStrtod(number);
}

std::optional<double> readWholeNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string t(text.substr(first, text.find_last_not_of(" \t") + 1 - first));
    static const std::regex number(
        R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([EeDd][+-]?[0-9]+)?)"
        R"(|([0-9]+ +)?([0-9]+(\.[0-9]*)?|\.[0-9]+)/([0-9]+(\.[0-9]*)?|\.[0-9]+))");
    if (!std::regex_match(t, number))
        return std::numeric_limits<double>::quiet_NaN();
    return t.find('/') == std::string::npos ? readNumber(t) : parseDimension(t);
}

float parseDimension(std::string_view text) {
    size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return static_cast<float>(readNumber(text));

    // Positions are counted from 1 as the form's users think of them.
    size_t p = slash + 1;
    size_t space = text.find(' ');
    // Only a space before the slash separates a whole part ("1 3/4"); a space
    // after it ("3/4 x") would leave no numerator, so it is not one.
    size_t s = space == std::string_view::npos || space > slash ? 0 : space + 1;
    float w = s == 0 ? 0.0f : static_cast<float>(readNumber(text.substr(0, s)));
    if (w == 0.0f)
        s = 0;
    std::string_view numerator = text.substr(s, p - s);
    float n = static_cast<float>(readNumber(numerator));
    float d = static_cast<float>(readNumber(text.substr(p)));
    float quotient = n / d;
    return quotient + w;
}

int32_t roundToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::nearbyint(value));  // default rounding: halves to even
}

std::string singleToText(float value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return trimTrailingPoint(std::string(buffer, result.ptr));
}

std::string doubleToText(double value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
    return trimTrailingPoint(std::string(buffer, result.ptr));
}

float roundTo(float value, int places) {
    // 10^9 is the largest power of ten that the 32-bit factor holds.
    places = std::clamp(places, 0, 9);
    auto p = static_cast<uint32_t>(std::nearbyint(std::pow(10.0, places)));
    double result = std::trunc(p * static_cast<double>(value) + 0.5) / p;
    return static_cast<float>(result);
}

}  // namespace bowlyn

#include "help/release_texts.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "model/version.h"

namespace bowlyn {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A licence is a few kilobytes; a file far beyond that is not one, and reading
// it whole would only hold the dialog up.
constexpr std::size_t LICENCE_LIMIT = 1 << 20;

}  // namespace

double leadingReleaseNumber(const char* text, std::size_t length) {
    const char* p = text;
    const char* end = text + length;
    while (p < end && isBlank(*p)) {
        ++p;
    }
    if (p < end && *p == '+') {
        ++p;
    }
    // Only a plain decimal number counts: "inf", "nan" and hex forms, which
    // from_chars would accept, are not release numbers.
    const char* digits = (p < end && *p == '-') ? p + 1 : p;
    const bool startsNumber =
        digits < end &&
        (isDigit(*digits) || (*digits == '.' && digits + 1 < end && isDigit(digits[1])));
    if (!startsNumber) {
        return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value) || value > HIGHEST_RELEASE_NUMBER) {
        return 0.0;
    }
    return value;
}

std::string releaseNumberText(double number) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, number, std::chars_format::general, 16);
    std::string written(text, result.ptr);
    if (!written.empty() && written.back() == '.') {
        written.pop_back();
    }
    return written;
}

std::string newerReleaseStatusText(double newest) {
    if (!(newest > PRODUCT_VERSION)) {
        return "";
    }
    return "A newer version of Bowlyn (" + releaseNumberText(newest) +
           ") is available on the Bowlyn home page.";
}

std::string aboutVersionText() {
    return releaseNumberText(PRODUCT_VERSION) + " Release " + RELEASE_DATE;
}

std::string aboutCommentsText(double newest) {
    std::string text =
        "Bowlyn is an interactive, parametric design tool for the body outlines of acoustic "
        "guitars and related instruments.";
    if (newest > 0.0 && newest > PRODUCT_VERSION) {
        text += "\n\nNote: A newer version (" + releaseNumberText(newest) +
                ") is available for download on the Bowlyn Homepage.";
    }
    return text;
}

std::string readLicenceText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return "";
    }
    std::string content(LICENCE_LIMIT, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(file.gcount()));

    std::string licence;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos) {
            end = content.size();
        }
        // A file written with CR LF line ends gives the same text.
        if (end > start && content[end - 1] == '\r') {
            --end;
        }
        licence.append(content, start, end - start);
        licence += '\r';
        start = next;
    }
    return licence;
}

}  // namespace bowlyn

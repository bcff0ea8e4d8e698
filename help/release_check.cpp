#include "help/release_check.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "help/release_query.h"

#ifndef BOWLYN_DEFAULT_RELEASE_URL
#define BOWLYN_DEFAULT_RELEASE_URL "http://bowlyn.example/formulae/bowlyn_files/version"
#endif

namespace bowlyn {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest a blocking check sleeps between looks at its transfer; libcurl
// wakes it sooner when something happens.
constexpr int POLL_MILLISECONDS = 100;

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

std::string releaseUrl() {
    if (const char* fromEnvironment = std::getenv("BOWLYN_RELEASE_URL")) {
        return fromEnvironment;
    }
    return BOWLYN_DEFAULT_RELEASE_URL;
}

double checkForUpdateAt(const std::string& url, const ReleaseCheckLimits& limits) {
    if (url.empty()) {
        return 0.0;
    }
    ReleaseQuery query(url, limits);
    query.start();
    while (!query.collect()) {
        int running = 0;
        curl_multi_perform(query.multi(), &running);
        if (!query.collect()) {
            curl_multi_poll(query.multi(), nullptr, 0, POLL_MILLISECONDS, nullptr);
        }
    }
    return query.newest();
}

double checkForUpdate(const ReleaseCheckLimits& limits) {
    return checkForUpdateAt(releaseUrl(), limits);
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
    if (!(newest > RELEASE_NUMBER)) {
        return "";
    }
    return "A newer version of Bowlyn (" + releaseNumberText(newest) +
           ") is available on the Bowlyn home page.";
}

}  // namespace bowlyn

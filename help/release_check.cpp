#include "help/release_check.h"

#include <curl/curl.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#ifndef BOWLYN_DEFAULT_RELEASE_URL
#define BOWLYN_DEFAULT_RELEASE_URL "http://bowlyn.example/formulae/bowlyn_files/version"
#endif

namespace bowlyn {

namespace {

// The answer is a short text such as "0.8\n". Only the start of each piece
// matters, so a fixed buffer bounds memory whatever the server streams.
constexpr std::size_t RECEIVE_KEEP = 63;

struct Receiver {
    char text[RECEIVE_KEEP + 1] = {};
    double newest = 0.0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

namespace {

// Each piece replaces the one before; the number is read from the last piece.
// Every byte is accepted so the transfer itself never fails on size.
std::size_t receivePiece(char* data, std::size_t size, std::size_t count, void* user) {
    auto* receiver = static_cast<Receiver*>(user);
    const std::size_t n = size * count;
    const std::size_t kept = n < RECEIVE_KEEP ? n : RECEIVE_KEEP;
    std::memcpy(receiver->text, data, kept);
    receiver->text[kept] = '\0';
    receiver->newest = leadingReleaseNumber(receiver->text, kept);
    return n;
}

void initialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

}  // namespace

std::string releaseUrl() {
    if (const char* fromEnvironment = std::getenv("BOWLYN_RELEASE_URL")) {
        return fromEnvironment;
    }
    return BOWLYN_DEFAULT_RELEASE_URL;
}

double checkForUpdateAt(const std::string& url) {
    if (url.empty()) {
        return 0.0;
    }
    initialiseCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        return 0.0;
    }
    Receiver receiver;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receivePiece);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &receiver);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, 10L);
    // The check runs on the GUI thread before the window answers: a silent or
    // slow server must not hold start-up for long.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 3L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // An error page that happens to start with digits is not an answer.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    // An address without a scheme means HTTP, and nothing but HTTP(S) is asked.
    curl_easy_setopt(curl, CURLOPT_DEFAULT_PROTOCOL, "http");
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return result == CURLE_OK ? receiver.newest : 0.0;
}

double checkForUpdate() {
    return checkForUpdateAt(releaseUrl());
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

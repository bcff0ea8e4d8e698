#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

constexpr double RELEASE_NUMBER = 0.7;
constexpr const char* RELEASE_DATE = "08-12-2011";

// The address asked for the newest release number: the build-time default,
// or the BOWLYN_RELEASE_URL environment variable when set. "" turns the check off.
std::string releaseUrl();

// How long a check may take: to connect, and in all, name lookup included.
struct ReleaseCheckLimits {
    long connectMilliseconds = 3000;
    long totalMilliseconds = 5000;
};

// The newest release number the server names, or 0.0 when the check is off or
// did not complete. Bounded in time and memory whatever the server does. It
// waits for the answer: the window runs its checks from the main loop instead
// (help/update_watcher.h).
double checkForUpdate(const ReleaseCheckLimits& limits = {});
// The same check against a given address ("" is off).
double checkForUpdateAt(const std::string& url, const ReleaseCheckLimits& limits = {});

// No release will ever be numbered above this; a larger number is no answer.
constexpr double HIGHEST_RELEASE_NUMBER = 1000.0;

// The decimal number a text starts with (after blanks), whatever the locale;
// 0.0 when it does not start with a finite decimal number or names a number
// above HIGHEST_RELEASE_NUMBER.
double leadingReleaseNumber(const char* text, std::size_t length);

// A release number as "%.16g" writes it, without a trailing ".", whatever the locale.
std::string releaseNumberText(double number);

// The status line note for a newer release, or "" when `newest` is not newer.
std::string newerReleaseStatusText(double newest);

}  // namespace bowlyn

#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

constexpr double RELEASE_NUMBER = 0.7;
constexpr const char* RELEASE_DATE = "08-12-2011";

// The address asked for the newest release number: the build-time default,
// or the BOWLYN_RELEASE_URL environment variable when set. "" turns the check off.
std::string releaseUrl();

// The newest release number the server names, or 0.0 when the check is off or
// did not complete. Bounded in time and memory whatever the server does.
double checkForUpdate();
// The same check against a given address ("" is off).
double checkForUpdateAt(const std::string& url);

// The decimal number a text starts with (after blanks), whatever the locale;
// 0.0 when it does not start with a finite decimal number.
double leadingReleaseNumber(const char* text, std::size_t length);

// A release number as "%.16g" writes it, without a trailing ".", whatever the locale.
std::string releaseNumberText(double number);

// The status line note for a newer release, or "" when `newest` is not newer.
std::string newerReleaseStatusText(double newest);

}  // namespace bowlyn

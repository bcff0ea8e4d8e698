#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

// The release number a check's answer starts with, and the texts that mention
// releases. Nothing here needs the network.

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

// "0.7 Release 08-12-2011": the release number and date as the About box shows them.
std::string aboutVersionText();

// The About box's description, with a note when `newest` names a newer release.
std::string aboutCommentsText(double newest);

// The licence shown in the About box: every line of the file followed by a
// carriage return. "" when the file cannot be read.
std::string readLicenceText(const std::string& path);

}  // namespace bowlyn

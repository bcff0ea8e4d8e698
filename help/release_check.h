#pragma once

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

// The status line note for a newer release, or "" when `newest` is not newer.
std::string newerReleaseStatusText(double newest);

}  // namespace bowlyn

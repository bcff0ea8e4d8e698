#pragma once

#include <string>

namespace bowlyn {

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

}  // namespace bowlyn

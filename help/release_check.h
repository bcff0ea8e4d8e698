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

}  // namespace bowlyn

#include "help/release_check.h"

#include <cstdlib>

#include "help/release_query.h"

#ifndef BOWLYN_DEFAULT_RELEASE_URL
#define BOWLYN_DEFAULT_RELEASE_URL "http://bowlyn.example/formulae/bowlyn_files/version"
#endif

namespace bowlyn {

namespace {

// The longest a blocking check sleeps between looks at its transfer; libcurl
// wakes it sooner when something happens.
constexpr int POLL_MILLISECONDS = 100;

}  // namespace

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

}  // namespace bowlyn

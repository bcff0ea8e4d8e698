#include "help/release_check.h"

#include <cstdlib>

#ifndef BOWLYN_DEFAULT_RELEASE_URL
#define BOWLYN_DEFAULT_RELEASE_URL "http://bowlyn.example/formulae/bowlyn_files/version"
#endif

namespace bowlyn {

std::string releaseUrl() {
    if (const char* fromEnvironment = std::getenv("BOWLYN_RELEASE_URL")) {
        return fromEnvironment;
    }
    return BOWLYN_DEFAULT_RELEASE_URL;
}

}  // namespace bowlyn

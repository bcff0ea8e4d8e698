// A program built without libcurl: no release checks, and nothing that would
// mention a newer release.

#include "help/release_watch.h"

namespace bowlyn {

std::unique_ptr<ReleaseWatch> makeReleaseWatch() {
    return nullptr;
}

}  // namespace bowlyn

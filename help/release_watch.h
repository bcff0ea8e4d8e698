#pragma once

#include <functional>
#include <memory>

namespace bowlyn {

// The window's release checks as the About box and the start-up note use
// them. A program built without libcurl has none (makeReleaseWatch gives
// nullptr) and simply never mentions a newer release.
class ReleaseWatch {
  public:
    using AnswerHandler = std::function<void(double newest)>;

    virtual ~ReleaseWatch() = default;
    // Starts a check unless one is on its way, and calls `onAnswer` from the
    // main loop when that check brings an answer. Returns a ticket for
    // forget().
    virtual unsigned check(AnswerHandler onAnswer = {}) = 0;
    // The handler of that ticket is not called any more.
    virtual void forget(unsigned ticket) = 0;
    // The newest release number of the latest answer; 0.0 before any.
    virtual double latestAnswer() const = 0;
};

// The checks against the build's address, or the one BOWLYN_RELEASE_URL
// names; nullptr when the program is built without the release check.
std::unique_ptr<ReleaseWatch> makeReleaseWatch();

}  // namespace bowlyn

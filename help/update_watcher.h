#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "help/release_check.h"
#include "help/release_watch.h"

namespace bowlyn {

class MainLoopTransfer;

// The window's release checks: run from the main loop, one at a time, with
// the latest answer kept for the About box. Destroying the watcher abandons
// a check on its way at once, so quitting never waits for the network.
class UpdateWatcher : public ReleaseWatch {
  public:
    explicit UpdateWatcher(std::string url, ReleaseCheckLimits limits = {});
    ~UpdateWatcher() override;
    UpdateWatcher(const UpdateWatcher&) = delete;
    UpdateWatcher& operator=(const UpdateWatcher&) = delete;

    // Starts a check unless one is on its way, and calls `onAnswer` from the
    // main loop when that check brings an answer. A check that fails brings
    // none: handlers are dropped and the latest answer stands. Returns a
    // ticket for forget(); the check is off when the address is "".
    unsigned check(AnswerHandler onAnswer = {}) override;
    void forget(unsigned ticket) override;

    double latestAnswer() const override { return latest_; }
    bool checking() const { return transfer_ != nullptr; }

  private:
    void ended(double newest);

    std::string url_;
    ReleaseCheckLimits limits_;
    std::unique_ptr<MainLoopTransfer> transfer_;
    std::map<unsigned, AnswerHandler> waiting_;
    unsigned nextTicket_ = 1;
    double latest_ = 0.0;
};

}  // namespace bowlyn

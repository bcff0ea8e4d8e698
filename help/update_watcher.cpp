#include "help/update_watcher.h"

#include "help/main_loop_transfer.h"

namespace bowlyn {

std::unique_ptr<ReleaseWatch> makeReleaseWatch() {
    return std::make_unique<UpdateWatcher>(releaseUrl());
}

UpdateWatcher::UpdateWatcher(std::string url, ReleaseCheckLimits limits)
    : url_(std::move(url)), limits_(limits) {}

UpdateWatcher::~UpdateWatcher() = default;

unsigned UpdateWatcher::check(AnswerHandler onAnswer) {
    if (url_.empty()) {
        return 0;
    }
    const unsigned ticket = nextTicket_++;
    if (onAnswer) {
        waiting_[ticket] = std::move(onAnswer);
    }
    if (!transfer_) {
        transfer_ = std::make_unique<MainLoopTransfer>(url_, limits_,
                                                       [this](double newest) { ended(newest); });
    }
    return ticket;
}

void UpdateWatcher::forget(unsigned ticket) {
    waiting_.erase(ticket);
}

void UpdateWatcher::ended(double newest) {
    transfer_.reset();
    std::map<unsigned, AnswerHandler> waiting;
    waiting.swap(waiting_);
    // Zero is what a failed check, an error page or an absurd number gives.
    if (newest == 0.0) {
        return;
    }
    latest_ = newest;
    for (auto& entry : waiting) {
        entry.second(newest);
    }
}

}  // namespace bowlyn

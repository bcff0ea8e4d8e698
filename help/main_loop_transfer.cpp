#include "help/main_loop_transfer.h"

namespace bowlyn {

MainLoopTransfer::MainLoopTransfer(const std::string& url, const ReleaseCheckLimits& limits,
                                   std::function<void(double)> onEnd)
    : query_(url, limits), onEnd_(std::move(onEnd)) {
    if (CURLM* multi = query_.multi()) {
        curl_multi_setopt(multi, CURLMOPT_SOCKETFUNCTION, socketChanged);
        curl_multi_setopt(multi, CURLMOPT_SOCKETDATA, this);
        curl_multi_setopt(multi, CURLMOPT_TIMERFUNCTION, timerChanged);
        curl_multi_setopt(multi, CURLMOPT_TIMERDATA, this);
    }
    query_.start();
    noteEnd();
}

MainLoopTransfer::~MainLoopTransfer() {
    // libcurl may still tell about sockets while it lets go of them.
    query_.abandon();
    stopWatching();
    if (endSource_ != 0) {
        g_source_remove(endSource_);
    }
}

void MainLoopTransfer::stopWatching() {
    for (const auto& watched : watches_) {
        g_source_remove(watched.second);
    }
    watches_.clear();
    if (timer_ != 0) {
        g_source_remove(timer_);
        timer_ = 0;
    }
}

int MainLoopTransfer::socketChanged(CURL*, curl_socket_t fd, int what, void* self, void*) {
    auto* transfer = static_cast<MainLoopTransfer*>(self);
    transfer->unwatch(fd);
    if (what != CURL_POLL_REMOVE) {
        transfer->watch(fd, what);
    }
    return 0;
}

// libcurl asks not to be called back from inside this function, so even a
// time-out of 0 goes through the main loop.
int MainLoopTransfer::timerChanged(CURLM*, long milliseconds, void* self) {
    auto* transfer = static_cast<MainLoopTransfer*>(self);
    if (transfer->timer_ != 0) {
        g_source_remove(transfer->timer_);
        transfer->timer_ = 0;
    }
    if (milliseconds >= 0) {
        transfer->timer_ = g_timeout_add(static_cast<guint>(milliseconds), timerFired, transfer);
    }
    return 0;
}

void MainLoopTransfer::watch(curl_socket_t fd, int what) {
    int condition = G_IO_ERR | G_IO_HUP;
    if (what == CURL_POLL_IN || what == CURL_POLL_INOUT) {
        condition |= G_IO_IN;
    }
    if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT) {
        condition |= G_IO_OUT;
    }
    GIOChannel* channel = g_io_channel_unix_new(fd);
    watches_[fd] = g_io_add_watch(channel, GIOCondition(condition), socketReady, this);
    g_io_channel_unref(channel);
}

void MainLoopTransfer::unwatch(curl_socket_t fd) {
    auto watched = watches_.find(fd);
    if (watched != watches_.end()) {
        g_source_remove(watched->second);
        watches_.erase(watched);
    }
}

gboolean MainLoopTransfer::socketReady(GIOChannel* channel, GIOCondition condition, gpointer self) {
    int events = 0;
    if (condition & (G_IO_IN | G_IO_HUP)) {
        events |= CURL_CSELECT_IN;
    }
    if (condition & G_IO_OUT) {
        events |= CURL_CSELECT_OUT;
    }
    if (condition & G_IO_ERR) {
        events |= CURL_CSELECT_ERR;
    }
    static_cast<MainLoopTransfer*>(self)->drive(g_io_channel_unix_get_fd(channel), events);
    // libcurl removes the watch through socketChanged when it is done with it.
    return TRUE;
}

gboolean MainLoopTransfer::timerFired(gpointer self) {
    auto* transfer = static_cast<MainLoopTransfer*>(self);
    transfer->timer_ = 0;
    transfer->drive(CURL_SOCKET_TIMEOUT, 0);
    return FALSE;
}

void MainLoopTransfer::drive(curl_socket_t fd, int events) {
    if (ended_) {
        return;
    }
    int running = 0;
    curl_multi_socket_action(query_.multi(), fd, events, &running);
    noteEnd();
}

void MainLoopTransfer::noteEnd() {
    if (!ended_ && query_.collect()) {
        ended_ = true;
        // A socket left ready (closed by the server) would otherwise keep
        // firing ahead of the idle call that hands the result on.
        stopWatching();
        endSource_ = g_idle_add(deliverEnd, this);
    }
}

gboolean MainLoopTransfer::deliverEnd(gpointer self) {
    auto* transfer = static_cast<MainLoopTransfer*>(self);
    transfer->endSource_ = 0;
    // Held here, because the call may destroy the transfer and its members.
    std::function<void(double)> onEnd = std::move(transfer->onEnd_);
    const double newest = transfer->query_.newest();
    if (onEnd) {
        onEnd(newest);
    }
    return FALSE;
}

}  // namespace bowlyn

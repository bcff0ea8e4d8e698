#pragma once

#include <glib.h>

#include <functional>
#include <map>
#include <string>

#include "help/release_query.h"

namespace bowlyn {

// Runs one release check from the GLib main loop: libcurl says which sockets
// to watch and when to wake it, and the loop calls it back, so the window
// keeps answering while the check waits for a name server or a web server.
// No thread of the program's own is involved.
class MainLoopTransfer {
  public:
    // `onEnd` gets the newest release number (0.0 without a usable answer),
    // from the main loop and never from inside a call to this object, so it
    // may destroy the transfer.
    MainLoopTransfer(const std::string& url, const ReleaseCheckLimits& limits,
                     std::function<void(double newest)> onEnd);
    // Abandons a check still on its way at once.
    ~MainLoopTransfer();
    MainLoopTransfer(const MainLoopTransfer&) = delete;
    MainLoopTransfer& operator=(const MainLoopTransfer&) = delete;

  private:
    static int socketChanged(CURL*, curl_socket_t fd, int what, void* self, void*);
    static int timerChanged(CURLM*, long milliseconds, void* self);
    static gboolean socketReady(GIOChannel* channel, GIOCondition condition, gpointer self);
    static gboolean timerFired(gpointer self);
    static gboolean deliverEnd(gpointer self);

    void watch(curl_socket_t fd, int what);
    void unwatch(curl_socket_t fd);
    void drive(curl_socket_t fd, int events);
    void stopWatching();
    // Hands the result on (through the main loop) once the transfer has ended.
    void noteEnd();

    ReleaseQuery query_;
    std::map<curl_socket_t, guint> watches_;
    guint timer_ = 0;
    guint endSource_ = 0;
    bool ended_ = false;
    std::function<void(double)> onEnd_;
};

}  // namespace bowlyn

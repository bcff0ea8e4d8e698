#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

#include "help/release_check.h"

namespace bowlyn {

// One release check on its own libcurl multi handle. Whoever drives it (a
// poll loop, the GTK main loop) never waits inside libcurl: the name lookup
// runs on libcurl's resolver thread, the time limits cover it, and a check
// that is abandoned does not wait for a lookup a silent name server holds.
class ReleaseQuery {
  public:
    ReleaseQuery(const std::string& url, const ReleaseCheckLimits& limits);
    ~ReleaseQuery();
    ReleaseQuery(const ReleaseQuery&) = delete;
    ReleaseQuery& operator=(const ReleaseQuery&) = delete;

    // The multi handle, for a driver to install its socket and timer
    // callbacks before start().
    CURLM* multi() const { return multi_; }
    // Hands the transfer to the multi handle; a driver then runs it.
    void start();
    // After libcurl has been driven: true once the transfer has ended.
    bool collect();
    // The newest release number the server named; 0.0 unless the check ended
    // with a usable answer.
    double newest() const;
    // Stops at once, without waiting for a name lookup still running.
    void abandon();

  private:
    struct Receiver;
    std::unique_ptr<Receiver> receiver_;
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    bool started_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
};

}  // namespace bowlyn

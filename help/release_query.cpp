#include "help/release_query.h"

#include <cstring>

#include "help/release_texts.h"

namespace bowlyn {

namespace {

// The answer is a short text such as "0.8\n" that starts the body. Only that
// start is kept, so a fixed buffer bounds memory whatever the server streams.
constexpr std::size_t RECEIVE_KEEP = 63;

void initialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

}  // namespace

struct ReleaseQuery::Receiver {
    char text[RECEIVE_KEEP] = {};
    std::size_t length = 0;

    // The body may come in pieces of any size: each fills what is left of the
    // start. Every byte is accepted so the transfer itself never fails on size.
    static std::size_t piece(char* data, std::size_t size, std::size_t count, void* user) {
        auto* receiver = static_cast<Receiver*>(user);
        const std::size_t n = size * count;
        const std::size_t room = RECEIVE_KEEP - receiver->length;
        const std::size_t kept = n < room ? n : room;
        std::memcpy(receiver->text + receiver->length, data, kept);
        receiver->length += kept;
        return n;
    }
};

ReleaseQuery::ReleaseQuery(const std::string& url, const ReleaseCheckLimits& limits)
    : receiver_(std::make_unique<Receiver>()) {
    initialiseCurlOnce();
    multi_ = curl_multi_init();
    easy_ = curl_easy_init();
    if (multi_ == nullptr || easy_ == nullptr) {
        finished_ = true;
        return;
    }
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, Receiver::piece);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, receiver_.get());
    curl_easy_setopt(easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT, 10L);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMilliseconds);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, limits.totalMilliseconds);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
#if LIBCURL_VERSION_NUM >= 0x075700
    // Cleaning up would otherwise join the resolver thread, which waits as
    // long as the name server does (tens of seconds for a silent one).
    curl_easy_setopt(easy_, CURLOPT_QUICK_EXIT, 1L);
#endif
    // An error page that happens to start with digits is not an answer.
    curl_easy_setopt(easy_, CURLOPT_FAILONERROR, 1L);
    // An address without a scheme means HTTP, and nothing but HTTP(S) is asked.
    curl_easy_setopt(easy_, CURLOPT_DEFAULT_PROTOCOL, "http");
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
}

ReleaseQuery::~ReleaseQuery() {
    abandon();
}

void ReleaseQuery::start() {
    if (finished_ || started_) {
        return;
    }
    started_ = true;
    if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
        started_ = false;
        finished_ = true;
    }
}

bool ReleaseQuery::collect() {
    if (finished_) {
        return true;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_) {
            finished_ = true;
            // A redirect is not followed, and its body (or any but a plain
            // 200's) is no answer.
            long status = 0;
            curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
            succeeded_ = message->data.result == CURLE_OK && status == 200;
        }
    }
    return finished_;
}

double ReleaseQuery::newest() const {
    return finished_ && succeeded_ ? leadingReleaseNumber(receiver_->text, receiver_->length) : 0.0;
}

void ReleaseQuery::abandon() {
    if (easy_ != nullptr) {
        if (started_) {
            curl_multi_remove_handle(multi_, easy_);
        }
        curl_easy_cleanup(easy_);
        easy_ = nullptr;
    }
    if (multi_ != nullptr) {
        curl_multi_cleanup(multi_);
        multi_ = nullptr;
    }
    started_ = false;
    finished_ = true;
}

}  // namespace bowlyn

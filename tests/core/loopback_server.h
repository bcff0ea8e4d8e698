#pragma once

// A small HTTP server on the loopback interface for the release check tests.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace bowlyn::test {

constexpr const char* VERSION_PATH = "/formulae/bowlyn_files/version";

// A one-thread HTTP server on 127.0.0.1 with an ephemeral port. Each
// connection's request head is read, then the handler answers on the socket.
class LoopbackServer {
  public:
    using Handler = std::function<void(int fd, const std::atomic<bool>& stopping)>;

    explicit LoopbackServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 4) != 0) {
            ADD_FAILURE() << "cannot listen on loopback";
        }
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LoopbackServer() {
        stopping_ = true;
        thread_.join();
        close(listener_);
    }

    std::string url(const char* path = VERSION_PATH) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int port() const { return port_; }
    int requests() const { return requests_; }
    std::string firstRequestLine() {
        std::lock_guard<std::mutex> lock(mutex_);
        return firstRequestLine_;
    }

  private:
    void serve() {
        while (!stopping_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 50) <= 0) {
                continue;
            }
            const int fd = accept(listener_, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            const std::string head = readHead(fd);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (requests_ == 0) {
                    firstRequestLine_ = head.substr(0, head.find("\r\n"));
                }
            }
            ++requests_;
            handler_(fd, stopping_);
            close(fd);
        }
    }

    std::string readHead(int fd) {
        std::string head;
        char buffer[1024];
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (head.find("\r\n\r\n") == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd readable{fd, POLLIN, 0};
            if (poll(&readable, 1, 50) <= 0) {
                continue;
            }
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            head.append(buffer, static_cast<std::size_t>(n));
        }
        return head;
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::string firstRequestLine_;
    std::thread thread_;
};

inline void writeAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
}

inline LoopbackServer::Handler answer(const std::string& status, const std::string& body) {
    return [status, body](int fd, const std::atomic<bool>&) {
        writeAll(fd, "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    };
}

// The same answer after a pause, as from a slow server.
inline LoopbackServer::Handler answerAfter(int milliseconds, const std::string& body) {
    return [milliseconds, body](int fd, const std::atomic<bool>& stopping) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!stopping && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        answer("200 OK", body)(fd, stopping);
    };
}

// Holds the answer until the test opens the gate, so that a test can tell a
// caller that waited for the answer from one that did not without timing it.
struct AnswerGate {
    std::atomic<bool> open{false};
};

inline LoopbackServer::Handler answerWhenOpened(const std::shared_ptr<AnswerGate>& gate,
                                                const std::string& body) {
    return [gate, body](int fd, const std::atomic<bool>& stopping) {
        while (!stopping && !gate->open)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        answer("200 OK", body)(fd, stopping);
    };
}

// Keeps the connection open without a byte until the test ends, or long past
// the time a check may take, so a check without a time-out fails, not hangs.
inline void neverAnswer(int, const std::atomic<bool>& stopping) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!stopping && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Sets BOWLYN_RELEASE_URL for one test and puts the old state back after it.
class ReleaseUrlOverride {
  public:
    explicit ReleaseUrlOverride(const std::string& value) {
        if (const char* old = std::getenv("BOWLYN_RELEASE_URL")) {
            old_ = old;
        }
        setenv("BOWLYN_RELEASE_URL", value.c_str(), 1);
    }
    ~ReleaseUrlOverride() {
        if (old_) {
            setenv("BOWLYN_RELEASE_URL", old_->c_str(), 1);
        } else {
            unsetenv("BOWLYN_RELEASE_URL");
        }
    }

  private:
    std::optional<std::string> old_;
};

}  // namespace bowlyn::test

#include "help/release_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace bowlyn {
namespace {

using Clock = std::chrono::steady_clock;

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
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (head.find("\r\n\r\n") == std::string::npos && Clock::now() < deadline) {
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

void writeAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
}

LoopbackServer::Handler answer(const std::string& status, const std::string& body) {
    return [status, body](int fd, const std::atomic<bool>&) {
        writeAll(fd, "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    };
}

// Keeps the connection open without a byte until the test ends, or long past
// the time the check may take, so a check without a time-out fails, not hangs.
void neverAnswer(int, const std::atomic<bool>& stopping) {
    const auto giveUp = Clock::now() + std::chrono::seconds(15);
    while (!stopping && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
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

TEST(ReleaseCheck, NewerReleaseIsReadAndAnnounced) {
    LoopbackServer server(answer("200 OK", "0.8\n"));
    const double newest = checkForUpdateAt(server.url());
    EXPECT_DOUBLE_EQ(newest, 0.8);
    EXPECT_EQ(server.firstRequestLine(), "GET /formulae/bowlyn_files/version HTTP/1.1");
    EXPECT_EQ(newerReleaseStatusText(newest),
              "A newer version of Bowlyn (0.8) is available on the Bowlyn home page.");
}

TEST(ReleaseCheck, SameReleaseGivesNoNote) {
    LoopbackServer server(answer("200 OK", "0.7"));
    const double newest = checkForUpdateAt(server.url());
    EXPECT_DOUBLE_EQ(newest, 0.7);
    EXPECT_EQ(newerReleaseStatusText(newest), "");
}

TEST(ReleaseCheck, AddressWithoutSchemeIsAskedOverHttp) {
    LoopbackServer server(answer("200 OK", "1.25 is out\n"));
    const std::string address =
        "127.0.0.1:" + std::to_string(server.port()) + "/formulae/bowlyn_files/version";
    EXPECT_DOUBLE_EQ(checkForUpdateAt(address), 1.25);
}

TEST(ReleaseCheck, ErrorPagesAndBrokenTransfersGiveZero) {
    {
        LoopbackServer server(
            answer("200 OK", "<html><body>Internal Server Error</body></html>\n"));
        EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
        EXPECT_EQ(server.requests(), 1);
    }
    {
        // A failure status whose page starts with digits is still a failure.
        LoopbackServer server(answer("404 Not Found", "0.9 not found\n"));
        EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
    }
    {
        // The number arrives, then the connection breaks before the promised end.
        LoopbackServer server([](int fd, const std::atomic<bool>&) {
            writeAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0.8\n");
        });
        EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
    }
}

TEST(ReleaseCheck, SilentServerIsAbandonedWithinSeconds) {
    LoopbackServer server(neverAnswer);
    const auto start = Clock::now();
    EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
    const double elapsed = secondsSince(start);
    EXPECT_LT(elapsed, 10.0);
    EXPECT_EQ(server.requests(), 1);
}

TEST(ReleaseCheck, ClosedPortGivesZeroAtOnce) {
    int port = 0;
    {
        LoopbackServer server(answer("200 OK", "0.8"));
        port = server.port();
    }
    const auto start = Clock::now();
    EXPECT_EQ(checkForUpdateAt("http://127.0.0.1:" + std::to_string(port) + VERSION_PATH), 0.0);
    EXPECT_LT(secondsSince(start), 2.0);
}

TEST(ReleaseCheck, EnvironmentChoosesTheAddressAndEmptyTurnsTheCheckOff) {
    LoopbackServer server(answer("200 OK", "0.8\n"));
    {
        ReleaseUrlOverride address(server.url());
        EXPECT_EQ(releaseUrl(), server.url());
        EXPECT_DOUBLE_EQ(checkForUpdate(), 0.8);
    }
    {
        ReleaseUrlOverride off("");
        EXPECT_EQ(releaseUrl(), "");
        const auto start = Clock::now();
        EXPECT_EQ(checkForUpdate(), 0.0);
        EXPECT_LT(secondsSince(start), 0.5);
    }
    EXPECT_EQ(checkForUpdateAt(""), 0.0);
    EXPECT_EQ(server.requests(), 1);
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(ReleaseCheck, HugeAnswerKeepsMemoryBounded) {
    constexpr std::size_t total = 50u << 20;
    LoopbackServer server([](int fd, const std::atomic<bool>& stopping) {
        writeAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n");
        const std::string block(64 << 10, '7');
        for (std::size_t sent = 0; sent < total && !stopping; sent += block.size()) {
            writeAll(fd, block);
        }
    });
    const long before = peakResidentKilobytes();
    const auto start = Clock::now();
    const double newest = checkForUpdateAt(server.url());
    EXPECT_LT(secondsSince(start), 10.0);
    // Every piece is digits, so whatever piece came last reads as a number.
    EXPECT_GT(newest, 0.0);
    EXPECT_LT(peakResidentKilobytes() - before, 16 * 1024);
}

TEST(ReleaseNumber, LeadingDecimalNumberOnly) {
    const auto read = [](const std::string& text) {
        return leadingReleaseNumber(text.data(), text.size());
    };
    EXPECT_DOUBLE_EQ(read("0.8\n"), 0.8);
    EXPECT_DOUBLE_EQ(read("  1.25abc"), 1.25);
    EXPECT_DOUBLE_EQ(read("\r\n.5"), 0.5);
    EXPECT_DOUBLE_EQ(read("+2"), 2.0);
    EXPECT_DOUBLE_EQ(read("-1"), -1.0);
    EXPECT_DOUBLE_EQ(read("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(read("1e2"), 100.0);
    for (const char* notANumber :
         {"", " ", "<html>", "inf", "nan", "-inf", ".", "-", "1e999", "v0.8"}) {
        EXPECT_EQ(read(notANumber), 0.0) << notANumber;
    }
    // Only the given length is read.
    EXPECT_DOUBLE_EQ(leadingReleaseNumber("0.85", 3), 0.8);
}

TEST(ReleaseNumber, TextIsTheSameInACommaLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(releaseNumberText(0.8), "0.8");
    EXPECT_EQ(releaseNumberText(1.0), "1");
    EXPECT_EQ(releaseNumberText(1e300), "1e+300");
    EXPECT_EQ(releaseNumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(releaseNumberText(1.0 / 3.0), "0.3333333333333333");
    EXPECT_DOUBLE_EQ(leadingReleaseNumber("2.5", 3), 2.5);
    EXPECT_EQ(newerReleaseStatusText(1.5),
              "A newer version of Bowlyn (1.5) is available on the Bowlyn home page.");
    std::setlocale(LC_ALL, old.c_str());
    if (!comma) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed; checked in the current locale only";
    }
}

TEST(ReleaseNumber, OnlyANewerReleaseIsAnnounced) {
    EXPECT_EQ(newerReleaseStatusText(0.0), "");
    EXPECT_EQ(newerReleaseStatusText(0.7), "");
    EXPECT_EQ(newerReleaseStatusText(-3.0), "");
    EXPECT_EQ(newerReleaseStatusText(0.70000001),
              "A newer version of Bowlyn (0.70000001) is available on the Bowlyn home page.");
}

}  // namespace
}  // namespace bowlyn

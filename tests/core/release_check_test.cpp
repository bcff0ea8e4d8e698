#include "help/release_check.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "help/release_query.h"
#include "help/release_texts.h"
#include "tests/core/loopback_server.h"

namespace bowlyn {
namespace {

using test::answer;
using test::LoopbackServer;
using test::neverAnswer;
using test::ReleaseUrlOverride;
using test::VERSION_PATH;
using test::writeAll;

using Clock = std::chrono::steady_clock;

// One check driven to its end by polling, as a caller without a main loop
// would: the newest release number, or 0.0 when the address is "" or the
// check brought no usable answer.
double checkForUpdateAt(const std::string& url, const ReleaseCheckLimits& limits = {}) {
    if (url.empty())
        return 0.0;
    ReleaseQuery query(url, limits);
    query.start();
    while (!query.collect()) {
        int running = 0;
        curl_multi_perform(query.multi(), &running);
        if (!query.collect())
            curl_multi_poll(query.multi(), nullptr, 0, 100, nullptr);
    }
    return query.newest();
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

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
        // A redirect is not followed, and its own body is no answer either.
        LoopbackServer server(answer("302 Found\r\nLocation: file:///etc/passwd", "9.9"));
        EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
        EXPECT_EQ(server.requests(), 1);
    }
    {
        // The number arrives, then the connection breaks before the promised end.
        LoopbackServer server([](int fd, const std::atomic<bool>&) {
            writeAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0.8\n");
        });
        EXPECT_EQ(checkForUpdateAt(server.url()), 0.0);
    }
}

// The answer is the start of the body, however the server splits it: the
// second piece arrives long after the first was handed over.
TEST(ReleaseCheck, AnswerInTwoPiecesIsReadFromItsStart) {
    LoopbackServer server([](int fd, const std::atomic<bool>&) {
        writeAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 8\r\nConnection: close\r\n\r\n0.5\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        writeAll(fd, "7.0\n");
    });
    EXPECT_DOUBLE_EQ(checkForUpdateAt(server.url()), 0.5);
}

TEST(ReleaseCheck, AbsurdReleaseNumberIsNoAnswer) {
    LoopbackServer server(answer("200 OK", "1.7976931348623157e308\n"));
    const double newest = checkForUpdateAt(server.url());
    EXPECT_EQ(newest, 0.0);
    EXPECT_EQ(newerReleaseStatusText(newest), "");
    EXPECT_EQ(server.requests(), 1);
}

// The server would stay silent for 15 s: ending within a few seconds is
// ending at the limit of 0.3 s, however slow the build.
TEST(ReleaseCheck, SilentServerIsAbandonedAtTheTimeLimit) {
    LoopbackServer server(neverAnswer);
    const auto start = Clock::now();
    EXPECT_EQ(checkForUpdateAt(server.url(), {100, 300}), 0.0);
    const double elapsed = secondsSince(start);
    EXPECT_GE(elapsed, 0.25);
    EXPECT_LT(elapsed, 5.0);
    EXPECT_EQ(server.requests(), 1);
}

TEST(ReleaseCheck, ClosedPortGivesZeroAtOnce) {
    int port = 0;
    {
        LoopbackServer server(answer("200 OK", "0.8"));
        port = server.port();
    }
    // With limits of a minute, anything but a refusal taken at once would
    // take that long.
    const auto start = Clock::now();
    EXPECT_EQ(
        checkForUpdateAt("http://127.0.0.1:" + std::to_string(port) + VERSION_PATH, {60000, 60000}),
        0.0);
    EXPECT_LT(secondsSince(start), 10.0);
}

TEST(ReleaseCheck, EnvironmentChoosesTheAddressAndEmptyTurnsTheCheckOff) {
    LoopbackServer server(answer("200 OK", "0.8\n"));
    {
        ReleaseUrlOverride address(server.url());
        EXPECT_EQ(releaseUrl(), server.url());
        EXPECT_DOUBLE_EQ(checkForUpdateAt(releaseUrl()), 0.8);
    }
    {
        ReleaseUrlOverride off("");
        EXPECT_EQ(releaseUrl(), "");
        EXPECT_EQ(checkForUpdateAt(releaseUrl()), 0.0);
    }
    EXPECT_EQ(checkForUpdateAt(""), 0.0);
    EXPECT_EQ(server.requests(), 1);
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Limits of a minute: a slow (sanitizer) build must not run out of time on
// the way.
TEST(ReleaseCheck, HugeAnswerKeepsMemoryBounded) {
    constexpr std::size_t total = 50u << 20;
    LoopbackServer server([](int fd, const std::atomic<bool>& stopping) {
        writeAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n");
        std::string block;
        while (block.size() < (64 << 10)) {
            block += "7 ";
        }
        for (std::size_t sent = 0; sent < total && !stopping; sent += block.size()) {
            writeAll(fd, block);
        }
    });
    const long before = peakResidentKilobytes();
    const double newest = checkForUpdateAt(server.url(), {60000, 60000});
    // Only the start is kept, and it reads as 7.
    EXPECT_EQ(newest, 7.0);
    EXPECT_LT(peakResidentKilobytes() - before, 16 * 1024);
}

}  // namespace
}  // namespace bowlyn

// The window's release checks run from the main loop: the caller never waits,
// the answer arrives through the loop, and an abandoned check goes at once.

#include "help/update_watcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "tests/core/loopback_server.h"
#include "tests/gui/gui_support.h"

namespace bowlyn {
namespace {

using test::answer;
using test::answerAfter;
using test::LoopbackServer;
using test::neverAnswer;
using test::runLoopUntil;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The server answers only once check() has returned: a check that waited for
// the answer would have ended without one.
TEST(UpdateWatcher, AnswerArrivesThroughTheMainLoop) {
    const auto gate = std::make_shared<test::AnswerGate>();
    LoopbackServer server(test::answerWhenOpened(gate, "0.8\n"));
    UpdateWatcher updates(server.url());
    std::vector<double> heard;
    updates.check([&](double newest) { heard.push_back(newest); });
    // A second request while the first is on its way joins it.
    updates.check([&](double newest) { heard.push_back(newest); });
    EXPECT_TRUE(updates.checking()) << "the caller waited for the server";
    EXPECT_EQ(updates.latestAnswer(), 0.0);
    gate->open = true;

    ASSERT_TRUE(runLoopUntil([&] { return !updates.checking(); }, 5.0));
    EXPECT_EQ(heard, (std::vector<double>{0.8, 0.8}));
    EXPECT_EQ(updates.latestAnswer(), 0.8);
    EXPECT_EQ(server.requests(), 1);
}

TEST(UpdateWatcher, AFailedCheckLeavesTheLatestAnswer) {
    auto server = std::make_unique<LoopbackServer>(answer("200 OK", "0.9"));
    UpdateWatcher updates(server->url());
    updates.check();
    ASSERT_TRUE(runLoopUntil([&] { return !updates.checking(); }, 5.0));
    server.reset();  // its port refuses the next check
    bool called = false;
    updates.check([&](double) { called = true; });
    ASSERT_TRUE(runLoopUntil([&] { return !updates.checking(); }, 5.0));
    EXPECT_FALSE(called);
    EXPECT_EQ(updates.latestAnswer(), 0.9);
}

// The server would stay silent for 15 s: a check that ends within a few
// seconds ended at its own limit of 0.3 s, however slow the build.
TEST(UpdateWatcher, SilentServerEndsAtTheTimeLimitWithoutAnswer) {
    LoopbackServer server(neverAnswer);
    UpdateWatcher updates(server.url(), {100, 300});
    bool called = false;
    const auto start = Clock::now();
    updates.check([&](double) { called = true; });
    ASSERT_TRUE(runLoopUntil([&] { return !updates.checking(); }, 5.0));
    EXPECT_GE(secondsSince(start), 0.25);
    EXPECT_FALSE(called);
    EXPECT_EQ(updates.latestAnswer(), 0.0);
}

TEST(UpdateWatcher, ForgottenHandlersAndAbandonedChecksAreNeverCalled) {
    LoopbackServer server(answerAfter(100, "0.8\n"));
    bool forgottenCalled = false, abandonedCalled = false;
    {
        UpdateWatcher updates(server.url());
        updates.forget(updates.check([&](double) { forgottenCalled = true; }));
        ASSERT_TRUE(runLoopUntil([&] { return !updates.checking(); }, 5.0));
        EXPECT_EQ(updates.latestAnswer(), 0.8);
    }
    // With limits of a minute, abandoning that waited for the check would
    // take the 15 s the server stays silent.
    LoopbackServer silent(neverAnswer);
    auto updates = std::make_unique<UpdateWatcher>(silent.url(), ReleaseCheckLimits{60000, 60000});
    updates->check([&](double) { abandonedCalled = true; });
    runLoopUntil([] { return false; }, 0.2);
    const auto start = Clock::now();
    updates.reset();
    EXPECT_LT(secondsSince(start), 5.0) << "abandoning waited for the server";
    runLoopUntil([] { return false; }, 0.2);  // nothing left to fire
    EXPECT_FALSE(forgottenCalled);
    EXPECT_FALSE(abandonedCalled);
}

TEST(UpdateWatcher, NoAddressNoCheck) {
    UpdateWatcher updates("");
    EXPECT_EQ(updates.check([](double) { ADD_FAILURE(); }), 0u);
    EXPECT_FALSE(updates.checking());
}

}  // namespace
}  // namespace bowlyn

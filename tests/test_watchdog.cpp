// Gives every GoogleTest test a time limit, so that a hang (a pipe nobody
// writes, a server that never answers, a loop that never ends) fails that
// test quickly and by name instead of holding the whole run until the
// suite's own limit. BOWLYN_TEST_TIMEOUT sets the limit in seconds.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned DEFAULT_SECONDS = 180;

// Filled before the alarm is armed: the handler may only write it out.
char message[512];
size_t messageLength = 0;

void expired(int) {
    ssize_t ignored = ::write(STDERR_FILENO, message, messageLength);
    (void)ignored;
    ::_exit(124);
}

unsigned limitSeconds() {
    const char* given = std::getenv("BOWLYN_TEST_TIMEOUT");
    const unsigned long seconds = given != nullptr ? std::strtoul(given, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<unsigned>(seconds) : DEFAULT_SECONDS;
}

class Watchdog : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo& test) override {
        const int n =
            std::snprintf(message, sizeof message, "\n*** %s.%s did not end within %u seconds\n",
                          test.test_suite_name(), test.name(), seconds_);
        messageLength = n > 0 ? std::min(static_cast<size_t>(n), sizeof message - 1) : 0;
        ::alarm(seconds_);
    }
    void OnTestEnd(const ::testing::TestInfo&) override { ::alarm(0); }

  private:
    unsigned seconds_ = limitSeconds();
};

const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = expired;
    ::sigaction(SIGALRM, &action, nullptr);
    ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    return true;
}();

}  // namespace

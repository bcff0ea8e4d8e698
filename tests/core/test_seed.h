#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace bowlyn::test {

// The seed of a randomized test: BOWLYN_TEST_SEED when it is set, so that a
// failing run can be replayed, otherwise a fresh one. Printed either way.
inline unsigned randomTestSeed() {
    const char* given = std::getenv("BOWLYN_TEST_SEED");
    const unsigned seed = given != nullptr && *given != '\0'
                              ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                              : std::random_device{}();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::cout << "[ seed     ] BOWLYN_TEST_SEED=" << seed;
    if (test != nullptr)
        std::cout << " for " << test->test_suite_name() << "." << test->name();
    std::cout << std::endl;
    return seed;
}

}  // namespace bowlyn::test

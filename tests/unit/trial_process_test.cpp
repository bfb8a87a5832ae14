// Calls that may never return or may end the process, tried within a time: a bus or
// server that hangs, or a library that aborts where it finds none, must not take the
// script with it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/posix/trial_process.h"
#include "platform/posix/within_limit.h"

namespace ml {
namespace {

using std::chrono::milliseconds;

bool Succeeds() { return true; }
bool Fails() { return false; }
bool Aborts() {
    std::abort();
}
bool Hangs() {
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

}  // namespace

TEST(TrialProcess, OnlyATrialThatGivesTrueInTimeSucceeds) {
    EXPECT_TRUE(SucceedsInTrial(Succeeds, milliseconds(5000)));
    EXPECT_FALSE(SucceedsInTrial(Fails, milliseconds(5000)));
    EXPECT_FALSE(SucceedsInTrial(Aborts, milliseconds(5000)));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SucceedsInTrial(Hangs, milliseconds(200)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(WithinLimit, GivesTheResultOrNothingOnceTheTimeRanOut) {
    EXPECT_EQ(WithinLimit<int>(milliseconds(5000), [] { return 42; }), 42);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WithinLimit<int>(milliseconds(100),
                               [] {
                                   std::this_thread::sleep_for(milliseconds(1500));
                                   return 1;
                               }),
              std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
}

}  // namespace ml

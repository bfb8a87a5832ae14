#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/system_clock.h"

namespace ml {
namespace {

// Puts the process in a time zone for the test's length, and back afterwards.
class InTimeZone : public ::testing::Test {
protected:
    void use(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) saved = zone;
    }
    void TearDown() override {
        if (saved) setenv("TZ", saved->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    std::optional<std::string> saved;
};

std::string Shown(const LocalTime& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) + " " +
           std::to_string(t.weekDay) + " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

TEST_F(InTimeZone, ASecondReadsAsTheLocalCalendarHasIt) {
    SystemClock clock;
    LocalTime local;
    use("UTC0");
    ASSERT_TRUE(clock.localTime(1709214330, local));
    EXPECT_EQ(Shown(local), "2024-2-29 4 13:45:30");
    ASSERT_TRUE(clock.localTime(0, local));
    EXPECT_EQ(Shown(local), "1970-1-1 4 0:0:0");
    // Eleven hours ahead, the same second is already the next day, a Friday.
    use("ZONE-11");
    ASSERT_TRUE(clock.localTime(1709214330, local));
    EXPECT_EQ(Shown(local), "2024-3-1 5 0:45:30");
}

}  // namespace
}  // namespace ml

#include "platform/system_clock.h"

#include <chrono>
#include <ctime>

namespace ml {

std::int64_t SystemClock::secondsSinceEpoch() { return static_cast<std::int64_t>(std::time(nullptr)); }

// The broken-down time is copied at once: localtime's result is shared storage.
bool SystemClock::localTime(std::int64_t seconds, LocalTime& local) {
    const auto at = static_cast<std::time_t>(seconds);
    const std::tm* broken = std::localtime(&at);
    if (broken == nullptr) return false;
    local = {broken->tm_year + 1900, broken->tm_mon + 1, broken->tm_mday, broken->tm_wday,
             broken->tm_hour,        broken->tm_min,     broken->tm_sec};
    return true;
}

std::int64_t SystemClock::steadyNanoseconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

}  // namespace ml

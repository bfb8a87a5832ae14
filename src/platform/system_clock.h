// The clock through the C and C++ runtimes, the same on both builds.
#pragma once

#include "platform/platform.h"

namespace ml {

class SystemClock final : public Clock {
public:
    std::int64_t secondsSinceEpoch() override;
    bool localTime(std::int64_t seconds, LocalTime& local) override;
    std::int64_t steadyNanoseconds() override;
};

}  // namespace ml

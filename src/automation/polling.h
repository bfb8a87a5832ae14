// Waiting for something on the desktop by looking again and again.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/interp.h"

namespace ml {

// Scripts wait for windows and pictures this often: soon enough to act on what
// appeared, seldom enough to leave the machine to the program being driven.
inline constexpr int kPollMilliseconds = 50;

// Looks until the look gives something other than its empty value (a window, true),
// sleeping at most kPollMilliseconds between looks, and gives the last look's value.
// The time waited is counted from the sleeps, so a wait ends after the time asked plus
// what the looks themselves took, never before; a time of 0 or less looks once.
template <class Look>
auto PollUntil(Interp& in, int milliseconds, Look look) {
    int remaining = std::max(milliseconds, 0);
    for (;;) {
        const auto found = look();
        if (found || remaining == 0) return found;
        const int step = std::min(remaining, kPollMilliseconds);
        in.platform.desktop.sleep(static_cast<std::uint32_t>(step));
        remaining -= step;
    }
}

}  // namespace ml

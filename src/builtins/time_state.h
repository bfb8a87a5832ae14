// What the time module keeps between calls within one run.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/interp.h"

namespace ml {

// The random generator of `time.rand`. It is our own rather than the C runtime's, so
// both builds draw the same numbers from the same seed (0 to 32767 each).
struct RandomState {
    std::uint32_t next = 1;

    void seed(std::uint32_t value) { next = value; }
    int draw() {
        next = next * 1103515245u + 12345u;
        return static_cast<int>((next / 65536u) % 32768u);
    }
};

// The local date and time read once on every entry into the time module.
struct TimeSnapshot {
    int year = 0, month = 0, day = 0, week = 0, hour = 0, minute = 0, second = 0;
};

struct TimeState final : ModuleState {
    TimeSnapshot now;
    RandomState random;
    // `time.clock` counts milliseconds from here; the state is made with the interpreter.
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

inline TimeState& TimeStateOf(Interp& in) { return StateOf<TimeState>(in, Module::Time); }

}  // namespace ml

// What the time module keeps between calls within one run.
#pragma once

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

struct TimeState final : ModuleState {
    explicit TimeState(std::int64_t startNanoseconds) : start(startNanoseconds) {}

    // The local date and time read once on every entry into the module.
    LocalTime now;
    RandomState random;
    // `time.clock` counts from here, on the platform's steady clock; the state is made
    // with the interpreter.
    std::int64_t start;
};

inline TimeState& TimeStateOf(Interp& in) { return StateOf<TimeState>(in, Module::Time); }

}  // namespace ml

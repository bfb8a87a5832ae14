// State that built-in modules keep between calls within one run.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/text_file.h"
#include "platform/platform.h"

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

struct TimeState {
    TimeSnapshot now;
    RandomState random;
    // `time.clock` counts milliseconds from here; the interpreter is made at start-up.
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// A file the script writes, and its name as the script gave it, for the reports.
struct WrittenFile {
    FileHandle file;
    std::string name;
};

// One file per mode of the file module; a file still open when the run ends is closed
// (and so written out) then.
struct FileState {
    FileHandle reading;
    WrittenFile writing, appending;
    // What `file.read` took from the read file but has not yet given: the rest of a
    // line too long for one value.
    std::string pending;
};

struct ModuleState {
    ScreenPoint p;   // lib: the cursor position, read ahead of the call's checks
    // lib: the latest screen image; the next snapshot rewrites it in place.
    ScreenImage screen;
    // dos: a read found standard input at its end; the next read that does is fatal,
    // so a script reading until it sees a word cannot spin for ever.
    bool inputEnded = false;
    TimeState time;
    FileState file;
};

}  // namespace ml

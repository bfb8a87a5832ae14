// How a run ends before its last line. Code anywhere raises a fatal error where it
// finds one; the front end alone shows it, as the error report, and ends the run.
#pragma once

#include <string>

#include "core/interp.h"
#include "core/language.h"

namespace ml {

// The exit status of a run that a fatal error ended.
inline constexpr int kStatusFailed = 1;

// Ends the run on purpose (`Exit`, a harness's statement budget, lost output). The
// program leaves through its normal path, so open files are flushed and closed, with
// this status.
struct ProgramEnd {
    int status = 0;
};

// A fatal error: the entry it belongs to (0-based, shown plus one), the message and
// the error text, both already in the display language.
struct FatalError {
    int entry;
    std::string message;
    std::string detail;
};

// The entry of an error that belongs to no line; shown as -1.
inline constexpr int kNoEntry = -2;

[[noreturn]] void FailAt(int entry, std::string message, std::string detail);
// An error of the entry being executed; without a detail, its stored text is shown.
[[noreturn]] void Fail(Interp& in, std::string message, std::string detail);
[[noreturn]] void Fail(Interp& in, std::string message);

}  // namespace ml

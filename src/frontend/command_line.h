// What the command line asks for: `morrowlark64 [-q|--quiet] SCRIPT [ARG...]`, or
// `--check SCRIPT`, or `--version`, or `--help`. With no script the program runs AUTO.TXT or asks for a
// name, as it always did.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace ml {

struct CommandLine {
    enum class Action { Run, ShowVersion, ShowHelp, RefuseOption, Check };
    Action action = Action::Run;
    // No banner, no load summary, no colours; the error report on standard error.
    bool quiet = false;
    // The script's name as given, then the arguments it is given; empty without one.
    std::vector<std::string> script;
    // The word that is no option, for RefuseOption.
    std::string refused;
};

// Reads the words after the program's name. Options come before the script; `--` ends
// them, and every word after the script is the script's own.
CommandLine ReadCommandLine(Files& files, int argc, const char* const* argv);

}  // namespace ml

// One run of a script on fake platforms and inside the file sandbox, and everything
// it left: what it wrote, how it ended, the files it made, what it asked of the
// world outside and the variables it made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ml {

struct ScriptRun {
    std::string_view script;
    char language = '2';
    bool decoded = true;                       // false: every entry runs from its text
    std::deque<std::string> typed;             // standard input, one line each
    std::map<std::string, std::string> files;  // name -> bytes, made before the run
};

struct RunRecord {
    std::string output;                       // standard output, the error report too
    std::string ending;                       // how the run ended
    std::map<std::string, std::string> files; // name -> bytes, of the scratch folder
    // Every call to the console (other than writing), the desktop, native libraries
    // and COM, in that order.
    std::vector<std::string> outsideCalls;
    std::vector<std::string> variables;       // the variable table's keys
};

// Makes the scratch folder the current folder; once per fuzzing process.
void EnterScratchFolder();
RunRecord RunScript(const ScriptRun& run);
// The first byte picks the display language; the rest is the script.
RunRecord RunFuzzInput(const std::uint8_t* data, std::size_t size, bool decoded);

}  // namespace ml

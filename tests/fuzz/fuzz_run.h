// One run of fuzzed bytes as a script, on fake platforms and inside the file sandbox,
// and everything it left: what it wrote, how it ended and the files it made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace ml {

struct RunRecord {
    std::string output;                       // standard output, the error report too
    std::string ending;                       // how the run ended
    std::map<std::string, std::string> files; // name -> bytes, of the scratch folder
};

// Makes the scratch folder the current folder; once per fuzzing process.
void EnterScratchFolder();
// The first byte picks the display language; the rest is the script. With decoded
// false every entry runs from its text.
RunRecord RunFuzzInput(const std::uint8_t* data, std::size_t size, bool decoded);

}  // namespace ml

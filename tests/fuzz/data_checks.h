// What a data script may leave after a run, whatever the data it read.
//
// A data script writes, to the console and to each file it makes, lines of the form
// `TAG=` value `]`:
//   i1, i2, i3  the value is the typed line of that number;
//   f           the value is the next piece the file read gave: the pieces, in order,
//               make up the file's lines without their line ends;
//   g           the value is the last f piece;
// and as its last line `end:` and the tags that must have come, such as `end: i1 f`.
// A value may come cut short (values hold 255 bytes, and a line's text too, where data
// with quotes and signs takes up to four bytes a byte), but never changed; short ones
// come whole. Any other line is a finding, so a branch that must not run writes one.
#pragma once

#include <string>
#include <vector>

#include "data_input.h"
#include "fuzz_run.h"

namespace ml {

// Every data script holds this value in $secret and never shows it.
inline constexpr const char* kCanary = "s3cr3t";

struct DataScript {
    std::string name;
    std::string text;
    std::vector<std::string> variables;  // every name after a `$`, in lower case
    std::vector<std::string> calls;      // every name called with `~`, in lower case
};

DataScript MakeDataScript(std::string name, std::string text);
// Everything the run did that the script did not ask for; empty when there is nothing.
std::vector<std::string> DataFindings(const DataScript& script, const DataInput& input, const RunRecord& run);

}  // namespace ml

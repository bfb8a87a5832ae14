// The line protocol of data scripts (see data_checks.h), checked on one text a script
// wrote: the console's output or a file it made.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data_input.h"

namespace ml {

// shown: the text reached the console through ~Print, which writes "%%" as "%".
std::vector<std::string> TaggedLineFindings(std::string_view text, const DataInput& input, bool shown);
// The bytes, with those that are not printable written as \xHH, for a report.
std::string Visible(std::string_view bytes);

}  // namespace ml

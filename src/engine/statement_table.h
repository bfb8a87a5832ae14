// The statement table's rows (core/statement.h) and the runners of statements read
// from their text.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

// Runs the text in the executor's current line by the statement it begins with.
void RunStatement(Interp& in);
// The report of a line that is no statement.
[[noreturn]] void CommandError(Interp& in, const std::string& text);

}  // namespace ml

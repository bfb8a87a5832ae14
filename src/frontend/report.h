// The fatal error report: the only way any error, at load time or at run time, is
// shown. It prints the line, the message and the error text, pauses, and ends the run.
#pragma once

#include <string_view>

#include "core/interp.h"
#include "core/language.h"

namespace ml {

// line is a 0-based entry index (printed plus one); -2 belongs to no line.
[[noreturn]] void ErrBug(Interp& in, int line, std::string_view message, std::string_view error);
// The same with a message pair for the message and another for the error text.
[[noreturn]] void ErrBug(Interp& in, int line, const MsgPair& message, const MsgPair& error);
// A syntax error in the source line being loaded.
[[noreturn]] void ErrNNNNN(Interp& in, std::string_view source);
// A duplicate label, class or function in the source line being loaded.
[[noreturn]] void Havethesamename(Interp& in, std::string_view source);

}  // namespace ml

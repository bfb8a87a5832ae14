// The call dispatch frame: finds the innermost call of a line, evaluates its
// arguments into the argument slots, dispatches it to a module or a user function,
// and puts its result back into the line.
#pragma once

#include <string>

#include "core/builtin.h"
#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Evaluates the innermost call of the line and gives the line with the call replaced
// by its result, or by "(null)" for a call that gives no value.
std::string RunInnermostCall(Interp& in, const std::string& line);

// What a decoded call of the current text (the decoded entry's own) gave: the value
// of a built-in function in value position; nothing, where the call was the whole
// statement or started a user function from value position (the next entry runs);
// or else the line as RunInnermostCall gives it. The text is given, the outcome set.
enum class CallOutcome : std::uint8_t { Value, Done, Line };
std::string RunDecodedCall(Interp& in, DecodedCall& call, CallOutcome& outcome);

// The built-in function a call name (lower case, without its `~`) reaches once the
// script is loaded; none where it reaches a script's function or nothing.
const Builtin* BuiltinOf(Interp& in, std::string_view name);

}  // namespace ml

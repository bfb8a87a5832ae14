// The call dispatch frame: finds the innermost call of a line, evaluates its
// arguments into the argument slots, dispatches it to a module or a user function,
// and puts its result back into the line.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Evaluates the innermost call of the line and gives the line with the call replaced
// by its result, or by "(null)" for a call that gives no value.
std::string def(Interp& in, const std::string& line);

// Where the innermost call of a line stands: its marker and one past its closing
// parenthesis. complete is false when the call has no balanced parentheses.
struct CallSpan {
    std::size_t marker = 0;
    std::size_t end = 0;
    bool complete = false;
};
CallSpan LocateCall(std::string_view line, std::size_t marker);

// Reads the innermost call of an entry's text once: its span, its name and its
// arguments. False where the text path reports an error (no full call, an empty
// argument).
bool DecodeCall(std::string_view line, DecodedCall& call);
// What a decoded call of the current text (the decoded entry's own) gave: the value
// of a built-in function in value position; nothing, where the call was the whole
// statement or started a user function from value position (the next entry runs);
// or else the line as def gives it. The text is given, the outcome set.
enum class CallOutcome : std::uint8_t { Value, Done, Line };
std::string RunDecodedCall(Interp& in, DecodedCall& call, CallOutcome& outcome);
// The line with [marker, end) replaced by value.
std::string PutBack(std::string_view line, std::size_t marker, std::size_t end, std::string_view value);

// Cuts the innermost call out of the line into cut; gives the call's 1-based position.
std::size_t dJ(std::string_view line, std::string& cut);

}  // namespace ml

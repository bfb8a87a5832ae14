// How the text of a call and of a `Return` reads: where the innermost call of a line
// stands, its name and its arguments, and a `Return`'s expression. Both the text path
// and the decoder read calls here, so the two can never cut a call differently.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "core/decoded_form.h"

namespace ml {

// Where the innermost call of a line stands: its marker and one past its closing
// parenthesis. complete is false when the call has no balanced parentheses.
struct CallSpan {
    std::size_t marker = 0;
    std::size_t end = 0;
    bool complete = false;
};
CallSpan LocateCall(std::string_view line, std::size_t marker);

// The name and the argument text of the call at [marker, end) of a line.
std::pair<std::string_view, std::string_view> NameAndArguments(std::string_view line, std::size_t marker,
                                                               std::size_t end);

// An argument's bytes in a call's argument text.
struct ArgumentSpan {
    std::size_t from, length;
};
// The arguments of a call: its argument text cut at top-level commas.
std::vector<ArgumentSpan> SplitArguments(std::string_view text);

// Reads the innermost call of an entry's text once: its span, its name and its
// arguments. False where the text path reports an error (no full call, an empty
// argument).
bool DecodeCall(std::string_view line, DecodedCall& call);

// The expression a `Return` entry hands back.
std::string_view ReturnExpression(std::string_view text);
// Decodes a `Return` entry: its expression read once. It runs inside a call only.
void DecodeReturn(std::string_view text, DecodedEntry& decoded);

}  // namespace ml

// User functions and objects: a call moves the one program counter into the
// function's body; `End Def` and `Return` move it back.
#pragma once

#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Starts a user function for a call that no module took: the program counter moves
// to its `Def:` line.
void StartUserCall(Interp& in, std::string_view name);
// What the call at marker leaves of its line once its function started: "(null)"
// and, for a call in statement position, the rest of the line after it.
std::string UserCallLeaves(const std::string& line, std::size_t marker);
// `End Def` reached: back to the line after the calling line.
void EndDefStatement(Interp& in);
// `Return value`: the value replaces the call in the calling line, which runs again.
void ReturnStatement(Interp& in);
// Decodes a `Return` entry: its expression read once. It runs inside a call only.
void DecodeReturn(std::string_view text, DecodedEntry& decoded);
void ReturnDecoded(Interp& in, DecodedEntry& decoded);
// `~Alias(Class).new`: binds an object alias to a declared class.
void NewStatement(Interp& in);
bool IsNewStatement(std::string_view text);

}  // namespace ml

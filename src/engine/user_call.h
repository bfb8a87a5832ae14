// The call and return protocol of the script's own functions. A call moves the one
// program counter into the function's body, one depth deeper, and keeps the caller
// in that depth's frame; `End Def` and `Return` move it back, and `Return` puts its
// value where the call stood in the calling line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Where a call stands: its line, its span [marker, end) there, its name, and whether
// the line is its entry's own text (not one that an earlier call rewrote).
struct CallSite {
    const std::string& line;
    std::size_t marker = 0;
    std::size_t end = 0;
    std::string_view name;
    bool entryText = false;
};

// Starts the user function a call names, with the argument slots as its arguments:
// one depth deeper, its parameters bound, the program counter at its `Def:` line.
void StartUserCall(Interp& in, const CallSite& site);
// `End Def` reached: back to the line after the calling line.
void EndDefStatement(Interp& in);
// `Return value`: the value replaces the call in the calling line, which runs again.
void ReturnStatement(Interp& in);
void ReturnDecoded(Interp& in, DecodedEntry& decoded);

// The line with [marker, end) replaced by value.
std::string PutBack(std::string_view line, std::size_t marker, std::size_t end, std::string_view value);

}  // namespace ml

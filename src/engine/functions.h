// The script's own functions and objects: the `Def:` line a call name reaches, and
// `~Alias(Class).new`, which routes an alias's calls to a class.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/interp.h"

namespace ml {

// The index of the function a call name reaches; fatal where there is none, reported
// at the calling entry.
std::size_t FindFunction(Interp& in, std::string_view name, int callingEntry);
// Whether a call name reaches one of the script's functions.
bool DefinesFunction(const Interp& in, std::string_view name);
// `~Alias(Class).new`: binds an object alias to a declared class.
void NewStatement(Interp& in);
bool IsNewStatement(std::string_view text);

}  // namespace ml

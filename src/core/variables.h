// The variable table's keys: how a reference names its entry at the current call
// depth, and the finding or making of that entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Finds or creates the entry of a reference (marker, `$`, name); inside a function
// the key carries the local suffix. In read mode a missing entry is fatal.
std::uint16_t DimKey(Interp& in, std::string_view reference);
// The slot of a reference's entry, or -1 when there is none; creates nothing.
int FindVariable(Interp& in, std::string_view reference);

// The characters that continue a variable reference.
bool IsENChar(char c);
// A parameter name of a function: one `$` and name characters.
bool IsEN_Def(std::string_view text);

}  // namespace ml

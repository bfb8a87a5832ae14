// The variable store: keys for references, substitution of values into text, array
// indices in a line, and the array literal statement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Finds or creates the entry of a reference (marker, `$`, name); inside a function
// the key carries the local suffix. In read mode a missing entry is fatal.
std::uint16_t DimKey(Interp& in, std::string_view reference);
// The slot of a reference's entry, or -1 when there is none; creates nothing.
int FindVariable(Interp& in, std::string_view reference);
// Replaces every variable reference in the first 255 bytes of the text by its value,
// right to left. The result is not cut: the caller cuts it where it is read.
std::string Dim(Interp& in, std::string_view text);
// Replaces every bracketed index expression of a line by its value, right to left.
std::string Dim_LR_(Interp& in, std::string_view line);
// `$name(e1, e2, ...).Array`: stores the elements and the length.
void DimArray(Interp& in, std::string_view name, std::string_view elements);

// The characters that continue a variable reference.
bool IsENChar(char c);
// A parameter name of a function: one `$` and name characters.
bool IsEN_Def(std::string_view text);

}  // namespace ml

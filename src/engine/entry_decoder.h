// The decoded form of an entry (core/decoded_form.h): made from the entry's text when
// it runs a second time, and the statements it lets run without reading the text again.
#pragma once

#include <memory>

#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Decodes the entry at the program counter. An entry whose text a run may rewrite (a
// call, an array index) or whose kind depends on where it runs stays Text.
std::unique_ptr<DecodedEntry> DecodeEntry(const Interp& in, int entry);
// An assignment: the target found (once per call frame), then the value stored.
void RunDecodedAssignment(Interp& in, DecodedEntry& decoded);
// The line a decoded call left (the current text, the entry running again): where it
// assigns and holds no further call, it is run as the text path would run it. False
// where the text path must run it.
bool RunLeftAssignment(Interp& in, DecodedEntry& decoded);
// The condition of a decoded `Cmp` or `ElCmp`.
bool DecodedCondition(Interp& in, DecodedEntry& decoded);

}  // namespace ml

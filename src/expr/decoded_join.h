// Joined texts read once: literals with their escapes already read, and references
// found once per call frame. A join gives its value only where the general
// evaluation could not read anything more into it (a value holding a marker byte or
// a backslash, a substituted text that reads as arithmetic); elsewhere the text path
// decides.
#pragma once

#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"

namespace ml {

// Reads an expression of literals, references and the call's result hole into a
// join; false for anything else, or a literal whose escapes need the bytes around it.
bool DecodeJoin(std::string_view expression, TextJoin& join);

// Whether a text is one literal, as a built-in function gives read data: marked
// quotes around bytes without a marker.
bool IsOneLiteral(std::string_view text);

// The value of a join that is one reference, where the variable's text is taken as
// it stands; false where the general evaluation must read it.
bool LoneReferenceValue(Interp& in, TextJoin& join, std::string& value);
// The same for a variable already found.
bool SlotValueAsItStands(Interp& in, std::size_t slot, std::string& value);

// The same for a reference to a number, with what the number reads as; its text is
// not written while it is due. False for anything else.
bool LoneReferenceNumber(Interp& in, TextJoin& join, std::string& value, ValueNumber& number);

// The value of the call's result standing alone, where the general evaluation takes
// it as it stands (a number, with what it reads as; an inert text that does not read
// as arithmetic) or reads one literal's bytes from it (into scratch); false for
// anything else.
bool LoneResultValue(std::string_view result, std::string& scratch, std::string_view& value, ValueNumber& number);

// The join's value with the variables' current values (result: what fills the hole);
// false where the text path must evaluate it.
bool EvaluateJoin(Interp& in, TextJoin& join, std::string_view result, std::string& value);

}  // namespace ml

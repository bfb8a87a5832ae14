// The variable table's keys: how a reference names its entry at the current call
// depth, and the finding or making of that entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/strings.h"

namespace ml {

// Finds or creates the entry of a reference (marker, `$`, name); inside a function
// the key carries the local suffix. In read mode a missing entry is fatal.
std::uint16_t DimKey(Interp& in, std::string_view reference);
// The slot of a reference's entry, or -1 when there is none; creates nothing.
int FindVariable(Interp& in, std::string_view reference);

// Gives a variable a new value.
void SetValue(Interp& in, std::uint16_t slot, std::string value);
// Gives a variable the value that write makes in a scratch text (which may read the
// variable's old value). Both texts keep their room, so neither is made anew.
template <class Write>
void TakeValue(Interp& in, std::uint16_t slot, Write write) {
    std::string& incoming = in.vars.incoming;
    write(incoming);
    CopyText(in.vars.values[slot], incoming);
    in.vars.numbers[slot].state = 0;
}
// Gives a variable a whole number below 10^15 as its value; its text, the number's
// digits, is written only when it is read.
void SetWholeNumber(Interp& in, std::uint16_t slot, double value);
// Writes the text of a whole number that arithmetic stored; gives it.
const std::string& WriteDueText(Interp& in, std::size_t slot);
// The text of a variable's value.
inline const std::string& ValueText(Interp& in, std::size_t slot) {
    if (in.vars.numbers[slot].state & ValueNumber::kTextDue) return WriteDueText(in, slot);
    return in.vars.values[slot];
}
// Whether the value's text holds no marker byte and no backslash, so evaluation takes
// it as it stands; found once per value, with whether it reads as arithmetic.
bool IsInertValue(Interp& in, std::size_t slot);
inline bool ReadsAsArithmetic(const Interp& in, std::size_t slot) {
    return in.vars.numbers[slot].state & ValueNumber::kArithmetic;
}
// Its length, without writing a text that is still due.
inline std::size_t ValueLength(const Interp& in, std::size_t slot) {
    const ValueNumber& number = in.vars.numbers[slot];
    return (number.state & ValueNumber::kTextDue) ? number.textLength : in.vars.values[slot].size();
}
// The call frame that local keys are made for: 0 in the main body.
inline std::uint32_t CurrentFrame(const Interp& in) {
    const int depth = in.calls.callDepth;
    return depth == 0 ? 0 : in.calls.frameStamps[static_cast<std::size_t>(depth - 1)];
}

// The characters that continue a variable reference.
bool IsENChar(char c);
// A parameter name of a function: one `$` and name characters.
bool IsEN_Def(std::string_view text);

}  // namespace ml

// The variable table's keys: how a reference names its entry at the current call
// depth, and the finding or making of that entry.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/strings.h"

namespace ml {

// Finds or creates the entry of a reference (marker, `$`, name); inside a function
// the key carries the local suffix. In read mode a missing entry is fatal.
std::uint16_t VariableSlot(Interp& in, std::string_view reference);
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
// The number of decimal digits of a whole number: its bit width gives the power of
// ten below it, or the one above.
inline int DigitCount(std::uint64_t magnitude) {
    static constexpr std::uint64_t kPowers[] = {1,          10,          100,          1000,          10000,
                                                100000,     1000000,     10000000,     100000000,     1000000000,
                                                10000000000, 100000000000, 1000000000000, 10000000000000,
                                                100000000000000, 1000000000000000, 10000000000000000,
                                                100000000000000000, 1000000000000000000, 10000000000000000000u};
    const std::uint64_t odd = magnitude | 1;   // 0 has one digit; no power of ten above 1 is odd
    const int guess = (std::bit_width(odd) * 1233) >> 12;
    return guess + (odd >= kPowers[guess] ? 1 : 0);
}

// Gives a variable a whole number below 10^15 as its value; its text, the number's
// digits, is written only when it is read.
inline void SetWholeNumber(Interp& in, std::uint16_t slot, double value) {
    ValueNumber& number = in.vars.numbers[slot];
    number.value = value;
    // The remainder's reading of the digits is the number itself.
    number.integer = static_cast<std::int64_t>(value);
    number.state = ValueNumber::kRead | ValueNumber::kNumber | ValueNumber::kInteger | ValueNumber::kTextDue |
                   ValueNumber::kInertRead | ValueNumber::kInert | ValueNumber::kArithmetic;
    // The text is the digits, with a minus where the sign bit is set (so -0 too).
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(value));
    if (std::signbit(value)) number.state |= ValueNumber::kNegative;
    number.textLength = static_cast<std::uint8_t>(DigitCount(magnitude) + (std::signbit(value) ? 1 : 0));
}

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
inline std::uint32_t CurrentFrame(const Interp& in) { return in.calls.runningFrame().stamp; }

// The characters that continue a variable reference.
bool ContinuesReference(char c);
// One past the end of the reference whose marker byte is at `at`: its name runs over
// the characters that continue a reference, and an index over whatever lies up to the
// bracket that closes it.
std::size_t ReferenceEnd(std::string_view text, std::size_t at);
// A parameter name of a function: one `$` and name characters.
bool IsParameterName(std::string_view text);

}  // namespace ml

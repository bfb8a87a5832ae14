// The decoded form of an entry (core/decoded_form.h): made from the entry's text when
// it runs a second time, and the statements it lets run without reading the text again.
#pragma once

#include <memory>

#include "core/decoded_form.h"
#include "core/interp.h"
#include "core/variables.h"
#include "expr/condition.h"
#include "expr/decoded_expression.h"
#include "expr/decoded_guards.h"

namespace ml {

// Decodes the entry at the program counter. An entry whose text a run may rewrite (a
// call, an array index) or whose kind depends on where it runs stays Text.
std::unique_ptr<DecodedEntry> DecodeEntry(const Interp& in, int entry);
// The decoders the statement table names: an assignment to one variable, and the
// condition of a block word whose "(" is at open.
void DecodeAssignment(std::string_view text, DecodedEntry& decoded);
void DecodeCondition(std::string_view text, std::size_t open, EntryKind kind, DecodedEntry& decoded);
// The slot of an assignment's target, found once per call frame.
inline std::uint16_t TargetSlot(Interp& in, DecodedEntry& decoded) {
    const std::uint32_t frame = CurrentFrame(in);
    if (decoded.targetSlot < 0 || decoded.targetFrame != frame) {
        decoded.targetSlot = VariableSlot(in, decoded.target);
        decoded.targetFrame = frame;
    }
    return static_cast<std::uint16_t>(decoded.targetSlot);
}
// An assignment: the target found, then the value stored. result fills the hole of
// the line a call left.
inline void RunDecodedAssignment(Interp& in, DecodedEntry& decoded, std::string_view result = {}) {
    // The target exists before its right side is evaluated, so $n = $n + 1 works.
    StoreDecodedValue(in, TargetSlot(in, decoded), decoded.sides[0], result);
    ++in.exec.pc;
}
// Runs a left line that assigns the call's result alone (`$x = ~F()`) for a whole
// number below 10^15, whose digits the text would store.
void RunWholeAssignment(Interp& in, DecodedEntry& left, double number);
// Runs such a line for the value (and what it reads as) that its result gave.
void RunResultAssignment(Interp& in, DecodedEntry& left, std::string_view value, const ValueNumber& number);
// The condition of a decoded `Cmp` or `ElCmp`: an ordering of two numbers is decided
// here, the rest from the sides' texts.
bool ConditionFromTexts(Interp& in, DecodedEntry& decoded, std::string_view result);
inline bool DecodedCondition(Interp& in, DecodedEntry& decoded, std::string_view result = {}) {
    const auto op = static_cast<Compare>(decoded.compare);
    double left = 0, right = 0;
    if (IsOrdering(op) && DecodedNumber(in, decoded.sides[0], result, left) &&
        DecodedNumber(in, decoded.sides[1], result, right))
        return Ordered(op, left, right);
    return ConditionFromTexts(in, decoded, result);
}

}  // namespace ml

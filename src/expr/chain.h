// The chain evaluator: an arithmetic chain (numbers, references and groups joined by
// + - * / % ^) read into terms and operations already put in the order the levels
// take them, and evaluated from its terms with the same results, byte for byte, as
// the rewriting of the text (ComputeGroups and ComputeChainText in expr/expression.h) gives. A decoded
// entry keeps its chains; the text path reads a chain into scratch room and evaluates
// it at once. Where a chain gives nothing, the rewriting runs and says what it says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"
#include "core/variables.h"
#include "expr/arithmetic.h"

namespace ml {

// What a text reads as, marked read in number.
void ReadNumberInto(std::string_view text, ValueNumber& number);
// The number of a variable's value, read from its text the first time it is asked.
const ValueNumber& ReadNumberOf(Interp& in, std::size_t slot);
inline const ValueNumber& NumberOf(Interp& in, std::size_t slot) {
    const ValueNumber& number = in.vars.numbers[slot];
    return (number.state & ValueNumber::kRead) ? number : ReadNumberOf(in, slot);
}

// Reads an expression (cut as evaluation cuts it) into a chain, over what the chain
// held; false when it is not one, whatever the variables may hold.
bool DecodeChain(std::string_view expression, NumberChain& chain);

// Forgets the chain's variables when the line runs in another call frame, whose keys
// differ.
inline void SyncChainFrame(const Interp& in, NumberChain& chain) {
    const std::uint32_t frame = CurrentFrame(in);
    if (chain.frame == frame) return;
    for (ChainTerm& term : chain.terms) term.slot = -1;
    chain.frame = frame;
}

// What a chain came to: a lone term as it stands, or a computed number.
struct ChainValue {
    double value = 0;
    bool computed = false;
    bool whole = false;   // computed, and a whole number below 10^15: its digits are its text
};

// Evaluates a chain with the variables' current values, and callResult where the
// chain holds the result hole. False wherever the fast arithmetic on the text would
// give nothing (a reference to a missing variable or to a value that is no plain
// number, a text too long, a remainder by zero, a result that is not finite): the
// text path then decides.
bool EvaluateChain(Interp& in, NumberChain& chain, ChainValue& result, std::string_view callResult = {});
// The number the value reads as (what an ordering reads).
inline double ChainNumber(const ChainValue& result) {
    return result.computed ? ThroughText(result.value) : result.value;
}
// The value's text (what ExpressionValue gives), written over text.
void ChainText(Interp& in, const NumberChain& chain, const ChainValue& result, std::string_view callResult,
               std::string& text);
// Evaluates the chain and stores the value's text (what ExpressionValue gives) in a
// variable, with its number where the text fixes it exactly; false, storing nothing,
// where the chain gives nothing.
bool EvaluateAndStoreChain(Interp& in, std::uint16_t slot, NumberChain& chain, std::string_view callResult = {});

// The text path: the value (what ExpressionValue gives) or the number (what an ordering
// reads) of an expression that is a chain; nothing where it is none or gives nothing.
std::optional<std::string> TextChainValue(Interp& in, std::string_view expression);
std::optional<double> TextChainNumber(Interp& in, std::string_view expression);
// The value of a chain of numbers alone, as ComputeChainText would write it; nothing for any
// other text.
std::optional<std::string> NumbersChainValue(Interp& in, std::string_view text);

}  // namespace ml

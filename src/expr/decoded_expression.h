// Expressions read once, as an arithmetic chain or a joined text, and their values:
// what ExpressionValue gives for the text, without reading the text again where it need
// not. An expression may hold the hole where the line's call stood; the call's
// result then fills it.
#pragma once

#include <string>
#include <string_view>

#include "core/decoded_form.h"
#include "core/interp.h"
#include "expr/chain.h"
#include "expr/decoded_guards.h"

namespace ml {

void DecodeExpression(std::string_view expression, DecodedExpression& decoded);

// The expression's value, written over value (whose room is kept); result fills the
// hole where it has one. True where the value is known to hold no marker byte.
bool DecodedValueInto(Interp& in, DecodedExpression& decoded, std::string_view result, std::string& value);

// The same, except that a computed whole number below 10^15 (whose text is its
// digits) is given as number (true) and its text is not made.
bool DecodedWholeOrValue(Interp& in, DecodedExpression& decoded, std::string& value, double& number);

// The value of a call's argument, with the number it reads as where that is known at
// once (true): a constant's, or a lone reference's, whose text is then not written
// while it is due.
bool DecodedValueAndNumber(Interp& in, DecodedExpression& decoded, std::string& value, ValueNumber& number);

// The number an ordering reads from the expression where its chain gives one; false
// where the text path must read it.
inline bool DecodedNumber(Interp& in, DecodedExpression& decoded, std::string_view result, double& number) {
    if (decoded.numberKnown) {
        number = decoded.number;
        return true;
    }
    ChainValue value;
    if (!decoded.numeric || !FormsHold(decoded, result) || !EvaluateChain(in, decoded.chain, value, result)) return false;
    number = ChainNumber(value);
    decoded.numberKnown = decoded.invariant;
    decoded.number = number;
    return true;
}

// Stores the value where the expression is no chain or its chain gives nothing.
void StoreWithoutChain(Interp& in, std::uint16_t slot, DecodedExpression& decoded, std::string_view result);

// Stores the expression's value in a variable, with its number where it has one.
inline void StoreDecodedValue(Interp& in, std::uint16_t slot, DecodedExpression& decoded,
                              std::string_view result = {}) {
    if (decoded.numeric && FormsHold(decoded, result) && EvaluateAndStoreChain(in, slot, decoded.chain, result)) return;
    StoreWithoutChain(in, slot, decoded, result);
}

// A text with its hole filled by result.
std::string Filled(std::string_view text, std::string_view result);

}  // namespace ml

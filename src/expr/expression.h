// Value expressions: variables substituted, then either arithmetic on the text or
// text joined with escapes expanded. Every value is text.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Evaluates an expression (a piece of a normalised line) to its value text.
std::string ExpressionValue(Interp& in, std::string_view expression);
// ExpressionValue where the fast arithmetic is known to give nothing.
std::string GeneralExpressionValue(Interp& in, std::string_view expression);
// Arithmetic with parentheses: the innermost, rightmost group first.
std::string ComputeGroups(Interp& in, std::string_view text);
// Arithmetic without parentheses, level by level.
std::string ComputeChainText(Interp& in, std::string_view text);
// Expands `\xHH` escapes and removes the quote markers of literals; the text is not cut.
std::string ReadEscapes(Interp& in, std::string_view text);
// Decides a condition: 1 true, 0 false.
int ConditionHolds(Interp& in, std::string_view condition);

}  // namespace ml

// Value expressions: variables substituted, then either arithmetic on the text or
// text joined with escapes expanded. Every value is text.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Evaluates an expression (a piece of a normalised line) to its value text.
std::string CodeCount(Interp& in, std::string_view expression);
// CodeCount where the fast arithmetic is known to give nothing.
std::string GeneralCodeCount(Interp& in, std::string_view expression);
// Arithmetic with parentheses: the innermost, rightmost group first.
std::string CountA(Interp& in, std::string_view text);
// Arithmetic without parentheses, level by level.
std::string CountB(Interp& in, std::string_view text);
// Expands `\xHH` escapes and removes the quote markers of literals; the text is not cut.
std::string HexChar(Interp& in, std::string_view text);
// Decides a condition: 1 true, 0 false.
int CmpCodeCount(Interp& in, std::string_view condition);

}  // namespace ml

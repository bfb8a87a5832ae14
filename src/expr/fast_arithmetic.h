// Arithmetic on plain number chains without rewriting the text step by step.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// The operators of an arithmetic level, taken in this order: 1 is ^, 2 is * / %,
// 3 is + -.
bool IsLevelOperator(char c, int level);

// The value CountB gives for a lone number or a chain like "12+3*4.5-1" (numbers of
// digits and at most one point, joined by + - * / % ^, only the first with a minus),
// found with the same operations in the same order and each result passed through
// its number text, so the bytes are the same. Gives nothing for any other text, and
// wherever the rewriting would meet something other than a finite number (a
// remainder by zero, an overflow, a NaN): the rewriting then runs as usual and says
// what it says.
std::optional<std::string> FastCountB(std::string_view text);

// The same for an expression whose numbers may also be variable references: the
// value CodeCount gives, provided every reference names an existing variable whose
// value is such a number and the substituted text would fit a value. Reads the
// variables and changes nothing.
std::optional<std::string> FastCodeCount(Interp& in, std::string_view expression);

// The number that value reads as (Char_Convert_Double of FastCodeCount's text),
// without making the text.
std::optional<double> FastCodeNumber(Interp& in, std::string_view expression);

}  // namespace ml

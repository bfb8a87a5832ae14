// The traps of a `Cmp` or `ElCmp` condition: the language compares two values split
// at the first comparison operator of the condition's text, quotes or not.
#pragma once

#include <string_view>

#include "check/finding.h"

namespace ml {

// Warns of each trap in the condition of a piece's code, if it has one.
void CheckConditionTraps(const SourcePiece& piece, std::string_view code, Findings& findings);

}  // namespace ml

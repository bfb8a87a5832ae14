// The traps of the values a line computes or joins: an assignment's right side, each
// argument of a call, and a `Return`'s value.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "check/finding.h"

namespace ml {

// Warns of a variable written right before a call: the call's value is pasted
// against the name and read as part of it.
void CheckVariableBeforeCall(const SourcePiece& piece, std::string_view code, Findings& findings);

// The variables (lower case, with their `$`) that some line of the script sets to a
// quoted text of digits and operators, such as "2024-01-02": the text is stored, but
// wherever the variable alone is a value, its value is computed.
std::set<std::string> ComputedTextVariables(const std::vector<SourcePiece>& pieces);

// Warns of operators beside a quoted text, which are joined as written, and of such a
// variable standing alone as a value.
void CheckValueTraps(const SourcePiece& piece, std::string_view code, const std::set<std::string>& computed,
                     Findings& findings);

}  // namespace ml

// The parts of a condition: its two sides and the comparison between them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

enum class Compare : std::uint8_t { None, Equal, NotEqual, LessEqual, GreaterEqual, Less, Greater };

struct ConditionParts {
    std::string sides[2];
    Compare op = Compare::None;
};

// The condition of a block line: the text between the "(" at open (just after the
// block word) and the line's final ")".
inline std::string_view ConditionOf(std::string_view line, std::size_t open) {
    return line.size() > open + 1 ? line.substr(open + 1, line.size() - open - 2) : std::string_view();
}
// Splits a condition at its comparison: the character after an operator joins the
// right side untested, and a later operator replaces the earlier one.
ConditionParts SplitCondition(std::string_view condition);
// The comparisons that read both sides as numbers.
inline bool IsOrdering(Compare op) { return op != Compare::None && op != Compare::Equal && op != Compare::NotEqual; }
inline bool Ordered(Compare op, double a, double b) {
    switch (op) {
        case Compare::Less: return a < b;
        case Compare::Greater: return a > b;
        case Compare::LessEqual: return a <= b;
        default: return a >= b;
    }
}
// Decides a comparison of two values (a lone value: true unless it is "0"), their
// data marks taken off.
int CompareValues(Compare op, const std::string& left, const std::string& right);
// Decides a comparison of two expressions, as a condition's sides.
int CompareSides(Interp& in, Compare op, std::string_view left, std::string_view right);

}  // namespace ml

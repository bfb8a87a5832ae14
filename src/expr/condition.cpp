// Conditions of `Cmp` and `ElCmp`: one comparison of two values, or a truth test.
#include "expr/condition.h"

#include "core/strings.h"
#include "core/value_text.h"
#include "expr/expression.h"
#include "expr/arithmetic.h"
#include "expr/chain.h"

namespace ml {

namespace {

struct OperatorText {
    std::string_view text;
    Compare op;
};

// Tested in this order at every position: two-character operators first.
constexpr OperatorText kOperators[] = {{"==", Compare::Equal},       {"<>", Compare::NotEqual},
                                       {"<=", Compare::LessEqual},   {">=", Compare::GreaterEqual},
                                       {"<", Compare::Less},         {">", Compare::Greater}};

// The comparison operator that starts at i, if one does.
const OperatorText* OperatorAt(std::string_view condition, std::size_t i) {
    const char c = condition[i];
    if (c != '<' && c != '>' && c != '=') return nullptr;
    for (const OperatorText& candidate : kOperators)
        if (StartsWith(condition.substr(i), candidate.text)) return &candidate;
    return nullptr;
}

}  // namespace

ConditionParts SplitCondition(std::string_view condition) {
    ConditionParts parts;
    std::string* sides = parts.sides;
    Compare& op = parts.op;
    int side = 0;
    for (std::size_t i = 0; i < condition.size();) {
        std::size_t at = i;
        const OperatorText* found = nullptr;
        while (at < condition.size() && !(found = OperatorAt(condition, at))) ++at;
        sides[side].append(condition.substr(i, at - i));
        if (!found) break;
        // The character after an operator joins the right side untested; a later
        // operator replaces the earlier one.
        op = found->op;
        side = 1;
        at += found->text.size();
        if (at < condition.size()) sides[1] += condition[at];
        i = at + 1;
    }
    return parts;
}

int CompareValues(Compare op, const std::string& left, const std::string& right) {
    switch (op) {
        case Compare::None: return left != "0";
        case Compare::Equal: return left == right;
        case Compare::NotEqual: return left != right;
        default: break;
    }
    return Ordered(op, TextToNumber(left), TextToNumber(right));
}

int CompareSides(Interp& in, Compare op, std::string_view left, std::string_view right) {
    if (IsOrdering(op))
        if (auto a = TextChainNumber(in, left))
            if (auto b = TextChainNumber(in, right)) return Ordered(op, *a, *b);
    std::string leftValue = ExpressionValue(in, left);
    std::string rightValue = ExpressionValue(in, right);
    UnprotectData(leftValue);
    UnprotectData(rightValue);
    return CompareValues(op, leftValue, rightValue);
}

int ConditionHolds(Interp& in, std::string_view condition) {
    const ConditionParts parts = SplitCondition(condition);
    return CompareSides(in, parts.op, parts.sides[0], parts.sides[1]);
}

}  // namespace ml

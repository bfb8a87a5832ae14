// Conditions of `Cmp` and `ElCmp`: one comparison of two values, or a truth test.
#include "builtins/strings.h"
#include "expr/expression.h"

namespace ml {

namespace {

enum class Compare { None, Equal, NotEqual, LessEqual, GreaterEqual, Less, Greater };

struct OperatorText {
    std::string_view text;
    Compare op;
};

// Tested in this order at every position: two-character operators first.
constexpr OperatorText kOperators[] = {{"==", Compare::Equal},       {"<>", Compare::NotEqual},
                                       {"<=", Compare::LessEqual},   {">=", Compare::GreaterEqual},
                                       {"<", Compare::Less},         {">", Compare::Greater}};

}  // namespace

int CmpCodeCount(Interp& in, std::string_view condition) {
    std::string sides[2];
    int side = 0;
    Compare op = Compare::None;
    for (std::size_t i = 0; i < condition.size(); ++i) {
        const char c = condition[i];
        const OperatorText* found = nullptr;
        if (c == '<' || c == '>' || c == '=')
            for (const OperatorText& candidate : kOperators)
            if (StartsWith(condition.substr(i), candidate.text)) {
                found = &candidate;
                break;
            }
        if (!found) {
            sides[side] += c;
            continue;
        }
        // The character after an operator joins the right side untested.
        op = found->op;
        side = 1;
        i += found->text.size();
        if (i < condition.size()) sides[1] += condition[i];
    }
    const std::string left = CodeCount(in, sides[0]);
    const std::string right = CodeCount(in, sides[1]);
    switch (op) {
        case Compare::None: return left != "0";
        case Compare::Equal: return left == right;
        case Compare::NotEqual: return left != right;
        default: break;
    }
    const double a = Char_Convert_Double(left), b = Char_Convert_Double(right);
    switch (op) {
        case Compare::Less: return a < b;
        case Compare::Greater: return a > b;
        case Compare::LessEqual: return a <= b;
        default: return a >= b;
    }
}

}  // namespace ml

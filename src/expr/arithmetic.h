// The operators and the numbers they work on: how a number is read from its text,
// each operator's level and what it does. Every evaluator (the rewriting of the text
// for the odd cases, and the chain evaluator for the rest) applies them from here.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/strings.h"

namespace ml {

inline bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '^'; }
// The operators of an arithmetic level, taken in this order: 1 is ^, 2 is * / %,
// 3 is + -.
bool IsLevelOperator(char c, int level);

// The pieces a chain is made of, shared with the decoded form of an entry.
// A whole text that is one number: digits with at most one point, and a minus only
// where first allows it; gives its value as the general conversion reads it.
bool ReadSignedNumber(std::string_view text, bool first, double& value);
// Whether ReadSignedNumber reads the text as the first number, without its value.
bool IsSignedNumber(std::string_view text);
// Reads one unsigned number at `at` and moves past it.
bool ReadChainNumber(std::string_view text, std::size_t& at, double& value);
// The integer the remainder reads from a computed value, through its number text.
std::int64_t ComputedInteger(double value);
// The remainder of two whole numbers (y not 0), the sign of x's: exact wherever x is
// exact as a number, up to 2^53. Dividing the lowest integer by -1 overflows, and the
// remainder is 0 whatever x is.
inline double IntegerRemainder(std::int64_t x, std::int64_t y) {
    return y == -1 ? 0.0 : static_cast<double>(x % y);
}
// One operation of a chain on operands a and b (x and y: their integers, read only by
// %): the one place an operator is applied, by every evaluator. False for a remainder
// by zero and a result that is not finite, which the text evaluator reports.
inline bool ApplyOperator(char op, double a, double b, std::int64_t x, std::int64_t y, double& result) {
    switch (op) {
        case '^': result = std::pow(a, b); break;
        case '*': result = a * b; break;
        case '/': result = a / b; break;
        case '+': result = a + b; break;
        case '-': result = a - b; break;
        default: {
            if (y == 0) return false;
            result = IntegerRemainder(x, y);
        }
    }
    return std::isfinite(result);
}
double ThroughTextSlow(double value);
// The value the next operation reads back from a result's number text: a whole
// number below 10^15 is its own digits.
inline double ThroughText(double value) { return IsWholeBelow(value, 1e15) ? value : ThroughTextSlow(value); }

}  // namespace ml

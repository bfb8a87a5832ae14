#include "expr/fast_arithmetic.h"

#include <array>
#include <climits>
#include <cmath>

#include "builtins/strings.h"

namespace ml {

namespace {

// A 255-byte text holds at most 128 numbers.
constexpr std::size_t kMaxTerms = 128;

// A number of the chain: its value, and where its text stands while it is still the
// one written (length 0 once it is a result). Trivial, so a chain is never zeroed.
struct Term {
    double value;
    std::size_t start, length;
};

struct Chain {
    std::array<Term, kMaxTerms> terms;
    std::array<char, kMaxTerms> ops;   // ops[k] joins terms[k] and terms[k + 1]
    std::size_t count = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '^'; }

// Reads one number at `at`: digits with at most one point, at least one digit.
bool readNumber(std::string_view text, std::size_t& at) {
    int digits = 0, points = 0;
    for (; at < text.size() && (isDigit(text[at]) || text[at] == '.'); ++at)
        (text[at] == '.' ? points : digits) += 1;
    return digits > 0 && points <= 1;
}

bool parse(std::string_view text, Chain& chain) {
    std::size_t at = text.empty() || text[0] != '-' ? 0 : 1;
    for (;;) {
        const std::size_t from = chain.count == 0 ? 0 : at;   // the first keeps its sign
        if (!readNumber(text, at) || chain.count == kMaxTerms) return false;
        chain.terms[chain.count++] = {Char_Convert_Double(text.substr(from, at - from)), from, at - from};
        if (at == text.size()) return chain.count > 1;
        if (!isOperator(text[at])) return false;
        chain.ops[chain.count - 1] = text[at++];
    }
}

int integerOf(std::string_view text, const Term& term) {
    if (term.length != 0) return Char_Convert_Int(text.substr(term.start, term.length));
    NumberBuffer buffer;
    return Char_Convert_Int(FormatNumber(term.value, buffer));
}

// One operation; false where the rewriting must take over.
bool apply(std::string_view text, char op, const Term& left, const Term& right, double& result) {
    const double a = left.value, b = right.value;
    switch (op) {
        case '^': result = std::pow(a, b); break;
        case '*': result = a * b; break;
        case '/': result = a / b; break;
        case '+': result = a + b; break;
        case '-': result = a - b; break;
        default: {
            const int x = integerOf(text, left), y = integerOf(text, right);
            if (y == 0) return false;
            result = y == -1 ? 0.0 : static_cast<double>(x % y);
        }
    }
    return std::isfinite(result);
}

// The value the next operation reads back from the result's text.
double throughText(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15) return value;
    NumberBuffer buffer;
    return Char_Convert_Double(FormatNumber(value, buffer));
}

bool atLevel(char op, int level) {
    switch (level) {
        case 1: return op == '^';
        case 2: return op == '*' || op == '/' || op == '%';
        default: return op == '+' || op == '-';
    }
}

}  // namespace

std::optional<std::string> FastCountB(std::string_view text) {
    Chain chain;
    if (!parse(text, chain)) return std::nullopt;
    double result = 0;
    for (int level = 1; level <= 3; ++level) {
        std::size_t k = 0;
        while (k + 1 < chain.count) {
            if (!atLevel(chain.ops[k], level)) {
                ++k;
                continue;
            }
            if (!apply(text, chain.ops[k], chain.terms[k], chain.terms[k + 1], result)) return std::nullopt;
            chain.terms[k] = {throughText(result), 0, 0};
            for (std::size_t j = k + 1; j + 1 < chain.count; ++j) {
                chain.terms[j] = chain.terms[j + 1];
                chain.ops[j - 1] = chain.ops[j];
            }
            --chain.count;
        }
    }
    NumberBuffer buffer;
    return Clip(std::string(FormatNumber(result, buffer)));
}

}  // namespace ml

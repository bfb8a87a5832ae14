#include "core/markers.h"
#include "expr/fast_arithmetic.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"

namespace ml {

namespace {

// A 255-byte text holds at most 128 numbers.
constexpr std::size_t kMaxTerms = 128;

// A number of the chain: its value, and its text while it is still the one written
// or substituted (no text once it is a result). Trivial, so a chain is never zeroed.
struct Term {
    double value;
    const char* text;
    std::size_t length;
};

struct Chain {
    std::array<Term, kMaxTerms> terms;
    std::array<char, kMaxTerms> ops;   // ops[k] joins terms[k] and terms[k + 1]
    std::size_t count = 0;
};

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '^'; }

// Reads one number at `at`: digits with at most one point, at least one digit; and
// its value, as the general conversion reads it.
bool ReadNumber(std::string_view text, std::size_t& at, double& value) {
    const std::size_t from = at;
    std::uint64_t mantissa = 0;   // wraps past 19 digits, where it is not used
    int digits = 0, points = 0, fraction = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (IsDigit(c)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            fraction += points;
        } else if (c == '.') {
            ++points;
        } else {
            break;
        }
    }
    if (digits == 0 || points > 1) return false;
    value = digits <= kShortDecimalDigits ? ShortDecimalValue(mantissa, fraction)
                                          : TextToNumber(text.substr(from, at - from));
    return true;
}

// Reads the chain. With an interpreter, a number may also be a variable reference
// whose value is a plain number; the substituted text must then fit a value.
bool Parse(std::string_view text, Chain& chain, Interp* in) {
    std::size_t at = text.empty() || text[0] != '-' ? 0 : 1;
    std::size_t length = 0;   // of the text with the values in place
    for (;;) {
        if (chain.count == kMaxTerms) return false;
        std::string_view number;
        double value = 0;
        if (in != nullptr && text.substr(at).starts_with(kVariableMarker)) {
            if (chain.count == 0 && at == 1) return false;   // a minus before a value
            const std::size_t end = ReferenceEnd(text, at);
            const int slot = FindVariable(*in, text.substr(at, end - at));
            if (slot < 0) return false;
            number = ValueText(*in, static_cast<std::size_t>(slot));
            if (!ReadSignedNumber(number, chain.count == 0, value)) return false;
            at = end;
        } else {
            const bool negative = chain.count == 0 && at == 1;   // the first keeps its sign
            const std::size_t from = negative ? 0 : at;
            if (!ReadNumber(text, at, value)) return false;
            number = text.substr(from, at - from);
            if (negative) value = -value;
        }
        chain.terms[chain.count++] = {value, number.data(), number.size()};
        length += number.size();
        if (at == text.size()) return length <= kMaxText;
        if (!IsOperator(text[at])) return false;
        ++length;
        chain.ops[chain.count - 1] = text[at++];
    }
}

std::int64_t IntegerOf(const Term& term) {
    if (term.text != nullptr) return TextToInt64(std::string_view(term.text, term.length));
    return ComputedInteger(term.value);
}

bool Apply(char op, const Term& left, const Term& right, double& result) {
    if (op != '%') return ApplyOperator(op, left.value, right.value, 0, 0, result);
    return ApplyOperator(op, left.value, right.value, IntegerOf(left), IntegerOf(right), result);
}

// What a chain comes to: its only number as written, or the last result.
struct Outcome {
    Term term;
    bool computed;
};

std::optional<Outcome> Evaluate(std::string_view text, Interp* in) {
    Chain chain;
    if (!Parse(text, chain, in)) return std::nullopt;
    if (chain.count == 1) return Outcome{chain.terms[0], false};
    double result = 0;
    for (int level = 1; level <= 3; ++level) {
        std::size_t k = 0;
        while (k + 1 < chain.count) {
            if (!IsLevelOperator(chain.ops[k], level)) {
                ++k;
                continue;
            }
            if (!Apply(chain.ops[k], chain.terms[k], chain.terms[k + 1], result)) return std::nullopt;
            chain.terms[k] = {ThroughText(result), nullptr, 0};
            for (std::size_t j = k + 1; j + 1 < chain.count; ++j) {
                chain.terms[j] = chain.terms[j + 1];
                chain.ops[j - 1] = chain.ops[j];
            }
            --chain.count;
        }
    }
    return Outcome{{result, nullptr, 0}, true};
}

std::optional<std::string> AsText(const std::optional<Outcome>& outcome) {
    if (!outcome) return std::nullopt;
    if (!outcome->computed) return Clip(std::string(outcome->term.text, outcome->term.length));
    NumberBuffer buffer;
    return Clip(std::string(FormatNumber(outcome->term.value, buffer)));
}

}  // namespace

bool ReadSignedNumber(std::string_view text, bool first, double& value) {
    const bool negative = first && !text.empty() && text[0] == '-';
    std::size_t at = negative ? 1 : 0;
    if (!ReadNumber(text, at, value) || at != text.size()) return false;
    if (negative) value = -value;
    return true;
}

bool IsSignedNumber(std::string_view text) {
    std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    int digits = 0, points = 0;
    for (; at < text.size(); ++at) {
        if (IsDigit(text[at])) ++digits;
        else if (text[at] == '.') ++points;
        else return false;
    }
    return digits > 0 && points <= 1;
}

bool ReadChainNumber(std::string_view text, std::size_t& at, double& value) { return ReadNumber(text, at, value); }

std::int64_t ComputedInteger(double value) {
    NumberBuffer buffer;
    return TextToInt64(FormatNumber(value, buffer));
}

double ThroughTextSlow(double value) {
    NumberBuffer buffer;
    return TextToNumber(FormatNumber(value, buffer));
}

bool IsLevelOperator(char c, int level) {
    switch (level) {
        case 1: return c == '^';
        case 2: return c == '*' || c == '/' || c == '%';
        default: return c == '+' || c == '-';
    }
}

std::optional<std::string> FastCountB(std::string_view text) { return AsText(Evaluate(text, nullptr)); }

std::optional<std::string> FastCodeCount(Interp& in, std::string_view expression) {
    return AsText(Evaluate(ClipSource(expression), &in));
}

std::optional<double> FastCodeNumber(Interp& in, std::string_view expression) {
    auto outcome = Evaluate(ClipSource(expression), &in);
    if (!outcome) return std::nullopt;
    // A number as written reads as itself; a result reads back from its number text.
    return outcome->computed ? ThroughText(outcome->term.value) : outcome->term.value;
}

}  // namespace ml

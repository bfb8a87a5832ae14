#include "core/markers.h"
#include "expr/arithmetic.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"

namespace ml {

namespace {

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


}  // namespace ml

#include "core/markers.h"
#include "expr/expression.h"

#include <cmath>

#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "expr/substitution.h"
#include "expr/arithmetic.h"
#include "expr/chain.h"
#include "core/errors.h"
#include "core/program.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgSpecialChar{"Special character error: \\x", "特殊字符錯誤: \\x"};
inline constexpr MsgPair kMsgRemainderByZero{"Remainder by zero: ", "餘數除以零: "};
inline constexpr MsgPair kMsgDivisionByZero{"Division by zero: ", "除以零: "};
inline constexpr MsgPair kMsgPowerNoNumber{"Power gives no number: ", "乘方沒有數值: "};
inline constexpr MsgPair kMsgNumberTooLarge{"Number too large: ", "數值過大: "};

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == '.'; }

// One operation of ComputeChainText: the operator at i and its operands [start, end).
struct Operation {
    std::size_t start, end;
    std::string_view left, right;
};

Operation OperandsAround(std::string_view text, std::size_t i) {
    std::size_t start = i;
    if (i > 0) {
        std::size_t k = i - 1;
        while (k > 0 && IsDigitOrPoint(text[k])) --k;
        // A minus right after another operator is the sign of its number, so a
        // bracket's negative result keeps its sign in front of a power: 2*(0-3)^2 is 18.
        if (k == 0) start = 0;
        else start = (text[k] == '-' && IsOperator(text[k - 1])) ? k : k + 1;
    }
    std::size_t end = i + 1;
    if (end < text.size() && text[end] == '-') ++end;
    while (end < text.size() && IsDigitOrPoint(text[end])) ++end;
    return {start, end, text.substr(start, i - start), text.substr(i + 1, end - i - 1)};
}

// Ends the run with the message and the operation, as it stands in the text.
[[noreturn]] void FailOperation(Interp& in, const MsgPair& message, char op, std::string_view left,
                                std::string_view right) {
    Fail(in, Say(in, message) + std::string(left) + op + std::string(right));
}

// A result that is no number (a root of a negative number, an overflow) would go on
// as the text "nan" or "inf" and be read back as 0 or as text by whatever came next.
// The operation itself is the one every evaluator applies; only its failures are
// told apart here.
double Compute(Interp& in, char op, std::string_view left, std::string_view right) {
    std::int64_t x = 0, y = 0;
    if (op == '%') {
        y = TextToInt64(right);
        if (y == 0) FailOperation(in, kMsgRemainderByZero, op, left, right);
        x = TextToInt64(left);
    }
    const double a = TextToNumber(left), b = TextToNumber(right);
    if (op == '/' && b == 0) FailOperation(in, kMsgDivisionByZero, op, left, right);
    double result = 0;
    if (!ApplyOperator(op, a, b, x, y, result))
        FailOperation(in, op == '^' ? kMsgPowerNoNumber : kMsgNumberTooLarge, op, left, right);
    return result;
}

// The marked quotes of the literals go once the escapes are read. The text is not
// cut here: its caller cuts the value.
std::string WithoutLiteralQuotes(std::string text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kMarker && CharAt(text, i + 1) == '"') ++i;
        else text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

}  // namespace

std::string ExpressionValue(Interp& in, std::string_view expression) {
    if (auto fast = TextChainValue(in, expression)) return std::move(*fast);
    return GeneralExpressionValue(in, expression);
}

std::string GeneralExpressionValue(Interp& in, std::string_view expression) {
    // A text with no reference, literal, data mark or escape is its own value.
    const std::string_view plain = ClipSource(expression);
    if (IsInert(plain) && !IsArithmetic(plain)) return std::string(plain);
    const std::string value = SubstituteVariables(in, ClipSource(expression));
    // Arithmetic reads the first 255 bytes; a text is cut only once its escapes are
    // read, so that what is cut is the value itself, never an escape of it.
    const std::string_view clipped = ClipSource(value);
    if (IsArithmetic(clipped)) return ComputeGroups(in, clipped);
    return ClipValue(ReadEscapes(in, value));
}

std::string ComputeGroups(Interp& in, std::string_view input) {
    if (input.empty()) return "0";
    if (input.find('(') == std::string_view::npos) return ComputeChainText(in, input);
    std::string text(input);
    for (auto open = text.rfind('('); open != std::string::npos; open = text.rfind('(')) {
        // A group left open by a substituted value runs to the end of the text.
        auto close = text.find(')', open + 1);
        std::size_t stop = close == std::string::npos ? text.size() : close + 1;
        std::size_t innerEnd = close == std::string::npos ? text.size() : close;
        std::string value = ComputeChainText(in, std::string_view(text).substr(open + 1, innerEnd - open - 1));
        text.replace(open, stop - open, value);
    }
    return ComputeChainText(in, text);
}

std::string ComputeChainText(Interp& in, std::string_view input) {
    if (auto fast = NumbersChainValue(in, input)) return std::move(*fast);
    // Levels without an operator are skipped; a lone number is returned as it stands.
    bool present[4] = {};
    for (std::size_t i = 0; i < input.size(); ++i)
        for (int level = 1; level <= 3; ++level)
            present[level] |= IsLevelOperator(input[i], level) && !(i == 0 && input[i] == '-');
    std::string text(input);
    if (!present[1] && !present[2] && !present[3]) return Clip(std::move(text));
    NumberBuffer buffer;
    for (int level = 1; level <= 3; ++level) {
        std::size_t from = 0;
        while (present[level]) {
            // A minus in the very first position is the sign of the first number.
            std::size_t i = from;
            while (i < text.size() && !(IsLevelOperator(text[i], level) && !(i == 0 && text[i] == '-'))) ++i;
            if (i >= text.size()) break;
            Operation op = OperandsAround(text, i);
            if (CountOfByte(op.left, '.') > 1 || CountOfByte(op.right, '.') > 1) return Clip(std::move(text));
            std::string_view result = FormatNumber(Compute(in, text[i], op.left, op.right), buffer);
            // A minus after a non-number (as in 1,-3) only restates its operand; taken
            // as a sign it lets the scan move on instead of rewriting the same text.
            if (text.compare(op.start, op.end - op.start, result) == 0) {
                from = i + 1;
            } else {
                text.replace(op.start, op.end - op.start, result);
                from = 0;
                // A negative result brings a minus that the last level may take up.
                present[3] |= result.front() == '-';
            }
        }
    }
    return Clip(std::move(text));
}

std::string ReadEscapes(Interp& in, std::string_view text) {
    std::string out;
    // The text before its first backslash is copied as it stands.
    std::size_t i = std::min(text.find('\\'), text.size());
    if (i > 0 && text[i - 1] == kMarker && i < text.size()) --i;
    out.assign(text.substr(0, i));
    for (; i < text.size(); ++i) {
        if (text[i] == kMarker && CharAt(text, i + 1) == '\\') {
            // A backslash of data stays marked through every evaluation.
            out.append(text, i, 2);
            ++i;
            continue;
        }
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'x') {
            char h = CharAt(text, i + 2), l = CharAt(text, i + 3);
            if (!IsHexDigit(h) || !IsHexDigit(l)) {
                std::string message = Say(in, kMsgSpecialChar) + std::string(text.substr(i + 2, 2));
                Fail(in, message);
            }
            // A marker byte written as an escape is data like any other byte: it never
            // starts a reference, a call or a literal wherever its value goes.
            char byte = static_cast<char>(HexValue(text.substr(i + 2, 2)));
            if (byte == kMarker) out += kDataMarker;
            else if (byte != '\0') out += byte;
            i += 3;
            continue;
        }
        out += text[i];
    }
    return WithoutLiteralQuotes(std::move(out));
}

}  // namespace ml

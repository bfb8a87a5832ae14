#include "check/condition_checks.h"

#include <array>

#include "check/source_text.h"
#include "core/value_text.h"

namespace ml {

namespace {

// The comparison operators, two-character ones first, as the condition is split.
constexpr std::array<std::string_view, 6> kComparisons = {"==", "<>", "<=", ">=", "<", ">"};

struct Comparison {
    std::size_t at = std::string_view::npos;
    std::string_view op;
};

// The first comparison operator of a masked condition outside its literals.
Comparison FirstComparison(std::string_view condition) {
    for (std::size_t i = 0; i < condition.size(); ++i) {
        if (condition[i] == '"') i = LiteralAt(condition, i).end() - 1;
        for (std::string_view op : kComparisons)
            if (condition.substr(i, op.size()) == op) return {i, op};
    }
    return {};
}

// A side's text without its surrounding blanks; its offset moves with it.
TextSpan Trimmed(std::string_view text, TextSpan side) {
    const std::size_t from = SkipBlanks(text, side.from);
    const std::size_t last = LastNonBlank(text, from, side.end());
    return last == std::string_view::npos ? TextSpan{from, 0} : TextSpan{from, last + 1 - from};
}

bool IsPlainNumber(std::string_view text) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !point) point = true;
        else if (text[i] >= '0' && text[i] <= '9') digits = true;
        else return false;
    }
    return digits;
}

// A literal's content that reads as arithmetic where a value holds it, but is no number.
bool IsOperatorText(std::string_view content) {
    return !content.empty() && IsArithmetic(content) && !IsPlainNumber(content);
}

// Whether a side is one literal and nothing else.
bool IsOneLiteral(std::string_view text, TextSpan side) {
    return side.length >= 2 && text[side.from] == '"' && LiteralAt(text, side.from).end() == side.end();
}

void CheckOperatorBytes(const SourcePiece& piece, std::string_view code, TextSpan condition, Findings& findings) {
    for (std::size_t i = condition.from; i + 1 < condition.end(); ++i) {
        if (code[i] == '"') i = LiteralAt(code, i).end() - 1;
        const std::string_view pair = code.substr(i, 2);
        if (pair == "&&" || pair == "||") {
            Warn(findings, piece, i, FindingCode::LogicalOperator,
                 std::string(pair) + " is no operator: the condition is split at each comparison, the last one "
                 "decides, and the rest is read as values; put one Cmp inside another instead");
            ++i;
        }
    }
}

void CheckQuotedOperators(const SourcePiece& piece, std::string_view code, TextSpan condition, Findings& findings) {
    for (const TextSpan literal : LiteralsOf(code.substr(0, condition.end()))) {
        if (literal.from < condition.from) continue;
        for (std::size_t i = literal.from; i < literal.end(); ++i) {
            if (code[i] != '<' && code[i] != '>') continue;
            Warn(findings, piece, i, FindingCode::QuotedComparison,
                 std::string("a ") + code[i] + " inside quotes still splits the condition there; write " +
                     (code[i] == '<' ? "\\x3c" : "\\x3e") + " instead");
        }
    }
}

// The traps of the two values compared: an empty text, which a value never equals,
// and a text of operators, which the other value never equals.
void CheckComparedValues(const SourcePiece& piece, std::string_view masked, TextSpan left, TextSpan right,
                         Findings& findings) {
    const TextSpan sides[] = {Trimmed(masked, left), Trimmed(masked, right)};
    for (int s = 0; s < 2; ++s) {
        const TextSpan side = sides[s], other = sides[1 - s];
        if (!IsOneLiteral(masked, side)) continue;
        const std::string_view content = masked.substr(side.from + 1, side.length - 2);
        const std::string_view otherText = masked.substr(other.from, other.length);
        if (content.empty()) {
            Warn(findings, piece, side.from, FindingCode::EmptyComparison,
                 "an empty value reads as 0, so it never equals \"\"; compare \"s\" $x == \"s\" instead");
        } else if (IsOperatorText(content) && otherText.find('"') == std::string_view::npos &&
                   otherText.find('$') != std::string_view::npos) {
            Warn(findings, piece, side.from, FindingCode::OperatorTextComparison,
                 "a value holding only digits and operators is computed, the quoted text is not, so they never "
                 "match; compare \"s\" $c == \"s" + std::string(content) + "\" instead");
        }
    }
}

}  // namespace

void CheckConditionTraps(const SourcePiece& piece, std::string_view code, Findings& findings) {
    const std::optional<TextSpan> condition = ConditionOf(code);
    if (!condition) return;
    const std::string masked = MaskCalls(code);
    CheckOperatorBytes(piece, masked, *condition, findings);
    CheckQuotedOperators(piece, masked, *condition, findings);
    const std::string_view text = std::string_view(masked).substr(0, condition->end());
    const Comparison comparison = FirstComparison(text.substr(condition->from));
    if (comparison.at == std::string_view::npos) {
        const std::size_t equal = FindOutsideLiterals(text, condition->from, '=');
        if (equal != std::string_view::npos)
            Warn(findings, piece, equal, FindingCode::SingleEqual,
                 "a single = is no comparison: the condition always holds; write == to compare");
        return;
    }
    const std::size_t at = condition->from + comparison.at;
    if (comparison.op != "==" && comparison.op != "<>") return;
    CheckComparedValues(piece, masked, {condition->from, at - condition->from},
                        {at + comparison.op.size(), condition->end() - at - comparison.op.size()}, findings);
}

}  // namespace ml

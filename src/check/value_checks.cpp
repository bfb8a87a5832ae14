#include "check/value_checks.h"

#include <string>
#include <vector>

#include "check/source_text.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "engine/call_text.h"
#include "expr/arithmetic.h"

namespace ml {

namespace {

// What may end the operand before an operator, and begin the one after it, for the
// operator to compute something other than a quoted text (`@` stands for a call).
bool EndsOperand(char c) { return IsNameByte(c) || c == ')' || c == ']' || c == '@'; }
bool StartsOperand(char c) { return IsNameByte(c) || c == '$' || c == '(' || c == '@'; }

// A value's text, the offset of its first byte in the code.
struct ValueText {
    std::size_t offset;
    std::string masked;  // its calls written over, so only its own level is read
};

// The first operator outside literals and indices that stands between two operands
// other than literals; npos where there is none. An index is computed on its own.
std::size_t ComputedOperator(std::string_view text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') i = LiteralAt(text, i).end() - 1;
        depth += text[i] == '[' ? 1 : text[i] == ']' ? -1 : 0;
        if (depth > 0 || !IsOperator(text[i])) continue;
        const std::size_t before = LastNonBlank(text, 0, i), after = SkipBlanks(text, i + 1);
        if (before != std::string_view::npos && after < text.size() && EndsOperand(text[before]) &&
            StartsOperand(text[after]))
            return i;
    }
    return std::string_view::npos;
}

// The literal that is all of a value, if it is one.
std::optional<std::string_view> LoneLiteral(std::string_view text) {
    const std::size_t from = SkipBlanks(text, 0);
    const std::size_t last = LastNonBlank(text, from, text.size());
    if (from >= text.size() || text[from] != '"' || LiteralAt(text, from).end() != last + 1 || last == from)
        return {};
    return text.substr(from + 1, last - from - 1);
}

bool HasDigitsAndOperators(std::string_view content) {
    bool operatorSeen = false;
    for (std::size_t i = 0; i < content.size(); ++i) operatorSeen |= i > 0 && IsOperator(content[i]);
    return operatorSeen && IsArithmetic(content);
}

// The right side of an assignment, the value of a `Return`, and every argument of
// every call of a line.
std::vector<ValueText> ValuesOf(std::string_view code) {
    std::vector<ValueText> values;
    const std::size_t start = SkipBlanks(code, 0);
    const std::size_t equal = FindOutsideLiterals(code, start, '=');
    if (start < code.size() && code[start] == '$' && equal != std::string_view::npos)
        values.push_back({equal + 1, MaskCalls(code.substr(equal + 1))});
    if (WordAt(code, start, "return ")) values.push_back({start + 7, MaskCalls(code.substr(start + 7))});
    for (const CallText& call : CallsOf(code)) {
        const std::string_view arguments = code.substr(call.arguments.from, call.arguments.length);
        for (const ArgumentSpan& argument : SplitArguments(arguments))
            values.push_back({call.arguments.from + argument.from,
                              MaskCalls(arguments.substr(argument.from, argument.length))});
    }
    return values;
}

}  // namespace

void CheckVariableBeforeCall(const SourcePiece& piece, std::string_view code, Findings& findings) {
    for (const CallText& call : CallsOf(code)) {
        const std::size_t marker = call.name.from - 1;
        std::size_t at = LastNonBlank(code, 0, marker);
        if (at == std::string_view::npos || !IsNameByte(code[at])) continue;
        while (at > 0 && IsNameByte(code[at])) --at;
        if (code[at] != '$') continue;
        Warn(findings, piece, marker, FindingCode::VariableBeforeCall,
             "the call's value is pasted against the variable before it: where it begins with a lower-case "
             "letter, a digit, _ or ., it is read as part of the name; put \"\" between them");
    }
}

std::set<std::string> ComputedTextVariables(const std::vector<SourcePiece>& pieces) {
    std::set<std::string> names;
    for (const SourcePiece& piece : pieces) {
        const std::string_view code = CodeOf(piece.text);
        const std::size_t start = SkipBlanks(code, 0), equal = FindOutsideLiterals(code, start, '=');
        if (start >= code.size() || code[start] != '$' || equal == std::string_view::npos) continue;
        const auto content = LoneLiteral(code.substr(equal + 1));
        const std::size_t last = LastNonBlank(code, start, equal);
        if (content && HasDigitsAndOperators(*content) && last != std::string_view::npos)
            names.insert(AsciiLower(std::string(code.substr(start, last + 1 - start))));
    }
    return names;
}

void CheckValueTraps(const SourcePiece& piece, std::string_view code, const std::set<std::string>& computed,
                     Findings& findings) {
    for (const ValueText& value : ValuesOf(code)) {
        const std::string_view text = value.masked;
        const std::size_t from = SkipBlanks(text, 0), last = LastNonBlank(text, from, text.size());
        if (last != std::string_view::npos && computed.contains(AsciiLower(std::string(text.substr(from, last + 1 - from))))) {
            Warn(findings, piece, value.offset + from, FindingCode::ComputedText,
                 "this variable is set to a text of only digits and operators, which is computed where the "
                 "variable alone is a value; join it to a text, as in " + std::string(text.substr(from, last + 1 - from)) +
                     " \"\", or start the text with a letter");
            continue;
        }
        const std::size_t op = ComputedOperator(text);
        if (op != std::string_view::npos && text.find('"') != std::string_view::npos)
            Warn(findings, piece, value.offset + op, FindingCode::OperatorBesideText,
                 "beside a quoted text the operator is not computed but joined as written; compute the "
                 "number into a variable of its own first, or quote the operator where you mean the text");
    }
}

}  // namespace ml

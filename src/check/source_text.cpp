#include "check/source_text.h"

#include <cctype>

namespace ml {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsNameByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.'; }

bool WordAt(std::string_view code, std::size_t at, std::string_view word) {
    if (at > code.size() || code.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(code[at + i])) != word[i]) return false;
    return true;
}

std::string_view CodeOf(std::string_view piece) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c == '"') i = LiteralAt(piece, i).end() - 1;
        else if (c == '\'' || c == '\n' || c == '\r') return piece.substr(0, i);
    }
    return piece;
}

TextSpan LiteralAt(std::string_view code, std::size_t at) {
    const std::size_t close = code.find('"', at + 1);
    return {at, (close == std::string_view::npos ? code.size() : close + 1) - at};
}

std::vector<TextSpan> LiteralsOf(std::string_view code) {
    std::vector<TextSpan> literals;
    for (std::size_t at = code.find('"'); at != std::string_view::npos; at = code.find('"', literals.back().end()))
        literals.push_back(LiteralAt(code, at));
    return literals;
}

std::size_t SkipBlanks(std::string_view code, std::size_t at) {
    while (at < code.size() && IsBlank(code[at])) ++at;
    return at;
}

std::size_t LastNonBlank(std::string_view code, std::size_t from, std::size_t end) {
    while (end > from && IsBlank(code[end - 1])) --end;
    return end > from ? end - 1 : std::string_view::npos;
}

std::size_t ClosingParenthesis(std::string_view code, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < code.size(); ++i) {
        if (code[i] == '"') i = LiteralAt(code, i).end() - 1;
        else if (code[i] == '(') ++depth;
        else if (code[i] == ')' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

std::optional<TextSpan> ConditionOf(std::string_view code) {
    std::size_t at = SkipBlanks(code, 0);
    for (std::string_view word : {"elcmp", "cmp"}) {
        if (!WordAt(code, at, word)) continue;
        const std::size_t open = SkipBlanks(code, at + word.size());
        const std::size_t close = LastNonBlank(code, open, code.size());
        if (open >= code.size() || code[open] != '(' || close == std::string_view::npos || code[close] != ')') return {};
        return TextSpan{open + 1, close - open - 1};
    }
    return {};
}

std::vector<CallText> CallsOf(std::string_view code) {
    std::vector<CallText> calls;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '"') i = LiteralAt(code, i).end() - 1;
        if (code[i] != '~') continue;
        std::size_t nameEnd = i + 1;
        while (nameEnd < code.size() && IsNameByte(code[nameEnd])) ++nameEnd;
        const std::size_t open = SkipBlanks(code, nameEnd);
        if (open >= code.size() || code[open] != '(') continue;
        const std::size_t close = ClosingParenthesis(code, open);
        if (close == std::string_view::npos) continue;
        calls.push_back({{i + 1, nameEnd - i - 1}, {open + 1, close - open - 1}, close + 1});
    }
    return calls;
}

std::size_t FindOutsideLiterals(std::string_view code, std::size_t from, char byte) {
    for (std::size_t i = from; i < code.size(); ++i) {
        if (code[i] == byte) return i;
        if (code[i] == '"') i = LiteralAt(code, i).end() - 1;
    }
    return std::string_view::npos;
}

std::string MaskCalls(std::string_view code) {
    std::string masked(code);
    std::size_t maskedTo = 0;
    for (const CallText& call : CallsOf(code)) {
        const std::size_t marker = call.name.from - 1;
        if (marker < maskedTo) continue;
        masked.replace(marker, call.end - marker, call.end - marker, '@');
        maskedTo = call.end;
    }
    return masked;
}

}  // namespace ml

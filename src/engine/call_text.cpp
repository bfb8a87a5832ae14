#include "engine/call_text.h"

#include <algorithm>

#include "core/markers.h"
#include "core/strings.h"
#include "expr/decoded_expression.h"

namespace ml {

namespace {

// What a `Return` entry starts with, up to its expression.
constexpr std::string_view kReturnWord = "return ";

}  // namespace

CallSpan LocateCall(std::string_view line, std::size_t marker) {
    CallSpan span{marker, marker, false};
    int depth = 0;
    for (std::size_t i = marker + 2; i < line.size(); ++i) {
        const char c = line[i];
        if (c == kMarker && CharAt(line, i + 1) == '"') {
            // Parentheses inside a string literal do not count.
            std::size_t close = line.find('"', i + 2);
            if (close == std::string_view::npos) return span;
            i = close;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0) return span;
            if (depth == 0) {
                span.end = i + 1;
                span.complete = true;
                return span;
            }
        }
    }
    return span;
}

std::pair<std::string_view, std::string_view> NameAndArguments(std::string_view line, std::size_t marker,
                                                               std::size_t end) {
    std::string_view call = line.substr(marker + 2, end - marker - 2);
    const std::size_t open = call.find('(');
    std::string_view arguments = CharAt(call, open + 1) == ')' ? std::string_view() : call.substr(open + 1, call.size() - open - 2);
    return {call.substr(0, open), arguments};
}

// A quoted part is passed over whole, commas and parentheses in it included.
std::vector<ArgumentSpan> SplitArguments(std::string_view text) {
    std::vector<ArgumentSpan> pieces;
    if (text.empty()) return pieces;
    std::size_t from = 0;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        depth += c == '(';
        depth -= c == ')';
        if (c == ',' && depth == 0) {
            pieces.push_back({from, i - from});
            from = i + 1;
        } else if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            i = close == std::string_view::npos ? text.size() - 1 : close;
        }
    }
    pieces.push_back({from, text.size() - from});
    return pieces;
}

bool DecodeCall(std::string_view line, DecodedCall& call) {
    const std::size_t marker = line.rfind(kCallMarker);
    CallSpan span = LocateCall(line, marker);
    if (!span.complete) return false;
    const auto [name, arguments] = NameAndArguments(line, marker, span.end);
    call.marker = static_cast<std::uint16_t>(marker);
    call.end = static_cast<std::uint16_t>(span.end);
    call.nameLength = static_cast<std::uint16_t>(name.size());
    const std::size_t offset = static_cast<std::size_t>(arguments.data() - line.data());
    for (const ArgumentSpan& piece : SplitArguments(arguments)) {
        if (piece.length == 0) return false;   // reported where the text path reports it
        ArgumentPiece& argument = call.arguments.emplace_back();
        argument.from = static_cast<std::uint16_t>(offset + piece.from);
        argument.length = static_cast<std::uint16_t>(piece.length);
        DecodeExpression(arguments.substr(piece.from, piece.length), argument.expression);
    }
    return true;
}

std::string_view ReturnExpression(std::string_view text) {
    text.remove_prefix(std::min<std::size_t>(text.size(), kReturnWord.size()));
    return text;
}

void DecodeReturn(std::string_view text, DecodedEntry& decoded) {
    decoded.kind = EntryKind::Return;
    decoded.sides.resize(1);
    DecodeExpression(ReturnExpression(text), decoded.sides[0]);
}

}  // namespace ml

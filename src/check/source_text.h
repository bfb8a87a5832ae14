// How a check reads a script's own text, where every byte keeps its column: the code
// before a comment, the literals, the condition of `Cmp` and `ElCmp`, and the calls.
// It reads as the loader does: a literal runs to the next quote, an apostrophe outside
// one starts a comment, and blanks outside literals mean nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ml {

// Whether a byte may stand in a call's or a variable's name as it is written.
bool IsNameByte(char c);

// A stretch of a line: its first byte and its length.
struct TextSpan {
    std::size_t from = 0;
    std::size_t length = 0;
    std::size_t end() const { return from + length; }
};

// The code of a piece: the piece up to its comment or its line end.
std::string_view CodeOf(std::string_view piece);

// The literal that a quote at `at` opens, its quotes included; to the end of the
// text where it has no closing quote.
TextSpan LiteralAt(std::string_view code, std::size_t at);

// Every literal of a text, in order.
std::vector<TextSpan> LiteralsOf(std::string_view code);

// Whether the code holds the lower-case word, in any case, at `at`.
bool WordAt(std::string_view code, std::size_t at, std::string_view word);

// The first byte at or after `at` that is no blank.
std::size_t SkipBlanks(std::string_view code, std::size_t at);
// The last byte before `end` that is no blank; npos where there is none after `from`.
std::size_t LastNonBlank(std::string_view code, std::size_t from, std::size_t end);

// The condition of a `Cmp` or `ElCmp` line, between its parentheses.
std::optional<TextSpan> ConditionOf(std::string_view code);

// A call written in a text: the span of its name (after the `~`) and of its
// argument text (between its parentheses), and one past its closing parenthesis.
struct CallText {
    TextSpan name;
    TextSpan arguments;
    std::size_t end = 0;
};

// Every complete call of a text outside literals, outer ones before those inside them.
std::vector<CallText> CallsOf(std::string_view code);

// The first `byte` at or after `from` outside literals; npos where there is none.
std::size_t FindOutsideLiterals(std::string_view code, std::size_t from, char byte);

// The text with each call written over by `@` from its `~` to its closing parenthesis:
// what is left is what the line holds at its own level, where each call's value will
// stand. Columns are kept.
std::string MaskCalls(std::string_view code);

// The parenthesis that closes the one at `open`, outside literals; npos if none does.
std::size_t ClosingParenthesis(std::string_view code, std::size_t open);

}  // namespace ml

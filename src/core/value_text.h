// How texts keep their bytes while the language rewrites them: a text still to be
// evaluated is cut to the value limit only where the cut breaks no escape or marker,
// and a backslash that came in as data is marked so that no evaluation reads it as
// the start of an escape.
#pragma once

#include <string>
#include <string_view>

#include "core/markers.h"

namespace ml {

// The first 255 bytes of a text still to be evaluated, or fewer: an escape or a
// marker byte that the cut would split is left out whole.
std::string_view ClipSource(std::string_view text);
// Cuts an evaluated text to the value limit, or one byte short of it where the cut
// would part a data backslash from its mark.
std::string ClipValue(std::string text);

// Bytes that came from outside the script (typed, read from a file, a window title,
// a native or COM result) are data: evaluated any number of times, they give their
// own bytes and never start a reference, a call or a literal. In a value, each data
// backslash travels behind a marker byte and each data marker byte is the pair
// kDataMarker; evaluation keeps both pairs, and they are taken off where the value
// leaves the language (the arguments of built-in functions, the sides of a comparison).
inline constexpr std::string_view kDataMarker = "\x07!";
std::string ProtectData(std::string_view data);
void UnprotectData(std::string& value);

// How a function's result reads where it is put back into its line.
enum class ResultReading {
    AsTyped,  // as the same text typed into the line, where it holds no syntax byte
    AsText,   // always as a text, never computed
};
// The one door for data into a line: turns the bytes a call gave into the text that
// stands for them in its line. Bytes without a syntax byte (marker, backslash, quote,
// comparison sign, comma, parenthesis, bracket) stand as they are when read AsTyped;
// all others go in a literal whose every byte reads back as itself. The text is cut,
// never inside a pair or an escape, so that it fits in a value.
void PutDataInLine(std::string& bytes, ResultReading reading);
// How many of the bytes, from the first, PutDataInLine carries whole.
std::size_t DataThatFits(std::string_view bytes, ResultReading reading);
// A value already evaluated (data pairs kept), put back into a line the same way: a
// function's `Return`.
std::string ValueInLine(std::string value);

// Whether evaluation takes a text as it stands: no marker byte, no backslash. A short
// text is read here in one pass, where two library searches would cost more.
inline bool IsInert(std::string_view text) {
    if (text.size() > 32)
        return text.find(kMarker) == std::string_view::npos && text.find('\\') == std::string_view::npos;
    for (char c : text)
        if (c == kMarker || c == '\\') return false;
    return true;
}
void UnprotectData(std::string& value);
// Whether a text reads as arithmetic: every byte a digit or one of ( ) * + , - . / % ^.
inline bool IsArithmetic(std::string_view text) {
    for (char c : text)
        if (!((c >= '(' && c <= '9') || c == '%' || c == '^')) return false;
    return true;
}

}  // namespace ml

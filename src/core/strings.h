// String routines shared by the loader, the executor, the expressions and every
// module. Texts are byte strings in the console's code page; positions, lengths and
// counts are bytes. Positions given out are 1-based (0 means "not found"); Insert and
// Remove take the number of characters that stay in front.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/limits.h"

namespace ml {


inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}
inline bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
inline bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
// Decimal and hexadecimal digits, whatever the C locale says.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
// The byte at i, or NUL past the end, as a C buffer reads.
inline char CharAt(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

// Cuts a text to the value limit.
std::string Clip(std::string text);
// The first 255 bytes of a text, without copying.
inline std::string_view ClipView(std::string_view text) { return text.substr(0, std::min(text.size(), kMaxText)); }

// Writes a text over another. A short one is copied here: the library's copy shares
// its size tests among all its callers, and the texts of a script, of every size, keep
// them mispredicted.
inline void CopyText(std::string& to, std::string_view from) {
    const std::size_t n = from.size();
    if (n > 32) {
        to.assign(from);
        return;
    }
    to.resize(n);
    char* out = to.data();
    const char* in = from.data();
    // Two overlapping pieces of a fixed size cover any length from that size to twice it.
    if (n >= 16) {
        std::memcpy(out, in, 16);
        std::memcpy(out + n - 16, in + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(out, in, 8);
        std::memcpy(out + n - 8, in + n - 8, 8);
    } else {
        for (std::size_t i = 0; i < n; ++i) out[i] = in[i];
    }
}

// Appends one byte; gives the text.
std::string& AppendByte(std::string& text, char c);
// The count bytes from the 1-based position start (the rest of the text when count
// runs past its end).
std::string Mid(std::string_view text, long start, long count);
// The 1-based position of the first (PositionOf) or last (LastPositionOf) occurrence, or 0.
long PositionOf(std::string_view text, std::string_view search);
long PositionOfByte(std::string_view text, char c);
long LastPositionOf(std::string_view text, std::string_view search);
long LastPositionOfByte(std::string_view text, char c);
// The text with insert placed after its first pos bytes.
std::string Insert(std::string_view text, long pos, std::string_view insert);
// The text without the count bytes that follow its first pos bytes.
std::string Remove(std::string_view text, long pos, long count);
// Every occurrence of search replaced by with, left to right.
std::string Replace(std::string_view text, std::string_view search, std::string_view with);
// The text without its leading and trailing blanks.
std::string Trim(std::string_view text);

// Only A-Z change: bytes of other encodings pass through untouched.
std::string AsciiLower(std::string text);
// The text made width bytes long with blanks after it (PadRight: left-aligned) or
// before it (PadLeft: right-aligned).
std::string PadRight(std::string_view text, long width);
std::string PadLeft(std::string_view text, long width);
// 1 when the text is a plain name: lower-case letters, digits, "_" and ".".
int IsPlainName(std::string_view text);
// 1 when the text is a decimal number: a minus, digits and one point at most, the
// point neither first nor last.
int IsNumber(std::string_view text);
// How many times search (or c) occurs, occurrences not overlapping.
long CountOf(std::string_view text, std::string_view search);
long CountOfByte(std::string_view text, char c);
// Between a number and its text, as the C runtime's atoi, atoll, atof and "%f" do:
// the text of an int, an int, a 64-bit integer and a number read from a text, and the
// text of a number.
std::string IntText(std::int32_t value);
int TextToInt(std::string_view text);
std::int64_t TextToInt64(std::string_view text);
double TextToNumber(std::string_view text);
std::string NumberText(double value);
// base to the power exponent, in 32-bit arithmetic.
std::uint32_t IntegerPower(std::uint32_t base, std::uint32_t exponent);
// The value of a hexadecimal text.
std::uint32_t HexValue(std::string_view text);

// A whole number of magnitude below limit (at most 2^53, where every double is exact).
// Cheaper than comparing with std::trunc, which is a library call on baseline x86-64.
inline bool IsWholeBelow(double value, double limit) {
    return std::fabs(value) < limit && static_cast<double>(static_cast<std::int64_t>(value)) == value;
}

// Room for the fixed notation of any double.
using NumberBuffer = std::array<char, 400>;
// The number text of a value, written into the buffer (no allocation).
std::string_view FormatNumber(double value, NumberBuffer& buffer);
// The general paths behind the two conversions, used where no fast path applies.
std::string_view FormatFixed(double value, NumberBuffer& buffer);
double ParseDecimal(std::string_view number);
// Most numbers are short: their digits form an integer below 2^53 and the value is
// that integer over a power of ten that is exact, so one correctly rounded division
// gives the same double as the full conversion. Takes the digits' integer and how
// many of them follow the point.
inline constexpr int kShortDecimalDigits = 15;
double ShortDecimalValue(std::uint64_t mantissa, int fraction);

}  // namespace ml

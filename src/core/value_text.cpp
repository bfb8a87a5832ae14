#include "core/markers.h"
#include "core/value_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "core/strings.h"
#include "core/program.h"

namespace ml {

namespace {

// An escape is a backslash, an x and two hexadecimal digits.
constexpr std::size_t kEscapeLength = 4;

bool EscapeStartsAt(std::string_view text, std::size_t i) {
    return text[i] == '\\' && CharAt(text, i + 1) == 'x' && !(i > 0 && text[i - 1] == kMarker);
}

// Whether a data pair (a marked backslash, or kDataMarker) starts at i.
bool IsDataPair(std::string_view text, std::size_t i) {
    return text[i] == kMarker && (CharAt(text, i + 1) == '\\' || CharAt(text, i + 1) == kDataMarker[1]);
}

// Bytes that a line reads as syntax: a result holding one goes back as a literal.
// Every result passes this test, so a long text is read sixteen bytes at a time (a
// vector of bytes, where each comparison gives a mask) and a short one a byte at a
// time from a bit table made by the same test. Vectors travel by reference: a 32-bit
// build without SSE has no agreed way to pass them by value.
template <class Byte, class Mask>
constexpr void AddSyntaxBytes(const Byte& byte, Mask& found) {
    found |= (byte == kMarker) | (byte == '"') | (byte == ',') | (static_cast<Byte>(byte | 1) == ')') |
             (static_cast<Byte>(byte - '<') < 3) | (static_cast<Byte>(byte - '[') < 3);
}

using SixteenBytes = unsigned char __attribute__((vector_size(16)));
using SixteenMasks = signed char __attribute__((vector_size(16)));

constexpr std::array<std::uint64_t, 4> kSyntaxBits = [] {
    std::array<std::uint64_t, 4> bits{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        bool syntax = false;
        AddSyntaxBytes(static_cast<unsigned char>(byte), syntax);
        if (syntax) bits[byte >> 6] |= std::uint64_t{1} << (byte & 63);
    }
    return bits;
}();

bool HasSyntax(std::string_view text) {
    if (text.size() < sizeof(SixteenBytes)) {
        std::uint64_t found = 0;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            found |= kSyntaxBits[byte >> 6] >> (byte & 63);
        }
        return (found & 1) != 0;
    }
    SixteenMasks found{};
    SixteenBytes block;
    for (std::size_t at = 0; at + sizeof block < text.size(); at += sizeof block) {
        std::memcpy(&block, text.data() + at, sizeof block);
        AddSyntaxBytes(block, found);
    }
    // The last block ends with the text; it may read some bytes a second time.
    std::memcpy(&block, text.data() + text.size() - sizeof block, sizeof block);
    AddSyntaxBytes(block, found);
    std::uint64_t halves[2];
    std::memcpy(halves, &found, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// Bytes that would end a literal or split a condition: they travel as \xHH escapes.
bool NeedsEscape(char c) { return c == '"' || c == '<' || c == '=' || c == '>'; }

constexpr char kHex[] = "0123456789abcdef";

// A value's literal: its pairs kept, its quotes and comparison signs escaped, and cut
// where the next byte would take it past the value limit.
std::string InLiteral(std::string_view value) {
    std::string out(kLiteralQuote);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::size_t width = IsDataPair(value, i) ? 2 : NeedsEscape(value[i]) ? kEscapeLength : 1;
        if (out.size() + width + kLiteralQuote.size() > kMaxText) break;
        if (width == kEscapeLength) {
            const auto byte = static_cast<unsigned char>(value[i]);
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            out.append(value, i, width);
            i += width - 1;
        }
    }
    return out += kLiteralQuote;
}

}  // namespace

std::string_view ClipSource(std::string_view text) {
    if (text.size() <= kMaxText) return text;
    std::size_t end = kMaxText;
    for (std::size_t i = kMaxText - (kEscapeLength - 1); i < kMaxText; ++i) {
        if (EscapeStartsAt(text, i)) {
            end = i;
            break;
        }
    }
    if (text[end - 1] == kMarker) --end;
    return text.substr(0, end);
}

std::string ClipValue(std::string text) {
    if (text.size() <= kMaxText) return text;
    text.resize(IsDataPair(text, kMaxText - 1) ? kMaxText - 1 : kMaxText);
    return text;
}

std::string ProtectData(std::string_view data) {
    std::string out;
    out.reserve(data.size() + 8);
    for (char c : data) {
        if (c == '\\') out += kMarker;
        if (c == kMarker) out += kDataMarker;
        else out += c;
    }
    return out;
}

void UnprotectData(std::string& value) {
    std::size_t at = value.find(kMarker);
    if (at == std::string::npos) return;
    std::size_t kept = at;
    for (; at < value.size(); ++at) {
        if (!IsDataPair(value, at)) value[kept++] = value[at];
        else if (value[++at] == '\\') value[kept++] = '\\';
        else value[kept++] = kMarker;
    }
    value.resize(kept);
}

std::size_t DataThatFits(std::string_view bytes, ResultReading reading) {
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kMaxText));
    if (reading == ResultReading::AsTyped && !HasSyntax(head)) return head.size();
    std::size_t size = 2 * kLiteralQuote.size(), taken = 0;
    for (; taken < bytes.size(); ++taken) {
        const char c = bytes[taken];
        size += NeedsEscape(c) ? kEscapeLength : (c == '\\' || c == kMarker) ? 2 : 1;
        if (size > kMaxText) break;
    }
    return taken;
}

void PutDataInLine(std::string& bytes, ResultReading reading) {
    const bool typed = reading == ResultReading::AsTyped;
    if (typed && bytes.size() <= kMaxText && !HasSyntax(bytes)) return;
    bytes.resize(DataThatFits(bytes, reading));
    if (typed && !HasSyntax(bytes)) return;
    bytes = InLiteral(ProtectData(bytes));
}

std::string ValueInLine(std::string value) {
    if (!HasSyntax(value)) return value;
    return InLiteral(value);
}

}  // namespace ml

#include "core/markers.h"
#include "loader/normal_form.h"

#include <algorithm>
#include <array>

#include "core/strings.h"
#include "core/errors.h"
#include "loader/statements.h"

namespace ml {

namespace {


struct Balance {
    int opened = 0, closed = 0, depth = 0;

    // False when a closer comes before its opener.
    bool close() {
        ++closed;
        return --depth >= 0;
    }
    void open() {
        ++opened;
        ++depth;
    }
};

// A hexadecimal literal starting at source[i] ("0x"): writes its value, taken modulo
// 2 to the 32nd power as a signed 32-bit number, and returns the index after it.
std::size_t FoldHex(const std::string& source, std::size_t i, char*& out) {
    std::size_t end = i + 2;
    while (end < source.size() && IsHexDigit(source[end])) ++end;
    auto value = static_cast<std::int32_t>(HexValue(std::string_view(source).substr(i + 2, end - i - 2)));
    const std::string text = IntText(value);
    out = std::copy(text.begin(), text.end(), out);
    return end;
}

// How the scan treats each byte outside literals; most are copied as they are.
enum CharKind : unsigned char { kCopy, kUpper, kBlank, kOther };

constexpr std::array<CharKind, 256> kCharKinds = [] {
    std::array<CharKind, 256> kinds{};
    for (int c = 'A'; c <= 'Z'; ++c) kinds[c] = kUpper;
    kinds[' '] = kinds['\t'] = kBlank;
    for (unsigned char c : {'\'', '\n', '"', '0', '$', '~', '(', ')', '[', ']'}) kinds[c] = kOther;
    return kinds;
}();

}  // namespace

NormalLine Normalise(Interp& in, std::string& source) {
    NormalLine line;
    const std::size_t n = source.size();
    // No character gives more than two ("$" gains a marker, "0x80000000" gives
    // "-2147483648"), so the text is written in place and cut to size at the end.
    line.text.resize(2 * n);
    char* out = line.text.data();
    Balance paren, bracket;
    std::size_t i = 0;
    while (i < n) {
        char c = source[i];
        switch (kCharKinds[static_cast<unsigned char>(c)]) {
            case kCopy:
                *out++ = c;
                ++i;
                continue;
            case kUpper:
                source[i] = c = static_cast<char>(c - 'A' + 'a');
                *out++ = c;
                ++i;
                continue;
            case kBlank:
                ++i;
                continue;
            case kOther:
                break;
        }
        if (c == '\'' || c == '\n') break;
        if (c == '"') {
            std::size_t close = source.find('"', i + 1);
            if (close == std::string::npos) FailSymbol(in, source);
            *out++ = kMarker;
            *out++ = '"';
            out = std::copy(source.begin() + i + 1, source.begin() + close, out);
            *out++ = kMarker;
            *out++ = '"';
            i = close + 1;
            continue;
        }
        if (c == '0' && i + 1 < n && source[i + 1] == 'x') {
            i = FoldHex(source, i, out);
            continue;
        }
        if (c == '$' || c == '~') {
            *out++ = kMarker;
            line.call |= c == '~';
        } else if (c == '(') {
            paren.open();
        } else if (c == ')') {
            if (!paren.close()) FailSymbol(in, source);
        } else if (c == '[') {
            line.bracket = true;
            bracket.open();
        } else if (c == ']') {
            if (!bracket.close()) FailSymbol(in, source);
        }
        *out++ = c;
        ++i;
    }
    line.text.resize(static_cast<std::size_t>(out - line.text.data()));
    if (paren.opened != paren.closed || bracket.opened != bracket.closed) FailSymbol(in, source);
    return line;
}

}  // namespace ml

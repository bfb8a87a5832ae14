#include "loader/normal_form.h"

#include "builtins/strings.h"
#include "frontend/report.h"

namespace ml {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

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

// A hexadecimal literal starting at source[i] ("0x"): appends its value, taken modulo
// 2 to the 32nd power as a signed 32-bit number, and returns the index after it.
std::size_t foldHex(const std::string& source, std::size_t i, std::string& out) {
    std::size_t end = i + 2;
    while (end < source.size() && isHexDigit(source[end])) ++end;
    auto value = static_cast<std::int32_t>(Hex2Long(std::string_view(source).substr(i + 2, end - i - 2)));
    out += Int_Convert_Char(value);
    return end;
}

}  // namespace

NormalLine Normalise(Interp& in, std::string& source) {
    NormalLine line;
    std::string& out = line.text;
    Balance paren, bracket;
    const std::size_t n = source.size();
    std::size_t i = 0;
    while (i < n) {
        char c = source[i];
        if (c == '\'' || c == '\n') break;
        if (c == '"') {
            out += kMarker;
            out += '"';
            std::size_t close = source.find('"', i + 1);
            if (close == std::string::npos) ErrNNNNN(in, source);
            out.append(source, i + 1, close - i - 1);
            out += kMarker;
            out += '"';
            i = close + 1;
            continue;
        }
        if (c == '0' && i + 1 < n && source[i + 1] == 'x') {
            i = foldHex(source, i, out);
            continue;
        }
        if (c == '$' || c == '~') {
            out += kMarker;
            line.call |= c == '~';
        } else if (c == '(') {
            paren.open();
        } else if (c == ')') {
            if (!paren.close()) ErrNNNNN(in, source);
        } else if (c == '[') {
            line.bracket = true;
            bracket.open();
        } else if (c == ']') {
            if (!bracket.close()) ErrNNNNN(in, source);
        } else if (c == ' ' || c == '\t') {
            ++i;
            continue;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
            source[i] = c;
        }
        out += c;
        ++i;
    }
    if (paren.opened != paren.closed || bracket.opened != bracket.closed) ErrNNNNN(in, source);
    return line;
}

}  // namespace ml

#include "core/markers.h"
#include "core/value_text.h"

#include <algorithm>

#include "core/strings.h"
#include "core/program.h"

namespace ml {

namespace {

// An escape is a backslash, an x and two hexadecimal digits.
constexpr std::size_t kEscapeLength = 4;

bool EscapeStartsAt(std::string_view text, std::size_t i) {
    return text[i] == '\\' && CharAt(text, i + 1) == 'x' && !(i > 0 && text[i - 1] == kMarker);
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
    const bool partsMark = text[kMaxText - 1] == kMarker && text[kMaxText] == '\\';
    text.resize(partsMark ? kMaxText - 1 : kMaxText);
    return text;
}

std::string ProtectData(std::string_view data) {
    std::string out;
    out.reserve(data.size() + static_cast<std::size_t>(std::count(data.begin(), data.end(), '\\')));
    for (char c : data) {
        if (c == '\\') out += kMarker;
        out += c;
    }
    return out;
}

void UnprotectData(std::string& value) {
    std::size_t at = value.find(kMarker);
    if (at == std::string::npos) return;
    std::size_t kept = at;
    for (; at < value.size(); ++at) {
        if (!(value[at] == kMarker && CharAt(value, at + 1) == '\\')) value[kept++] = value[at];
    }
    value.resize(kept);
}

}  // namespace ml

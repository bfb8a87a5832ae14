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

// Data read from a file or typed in is evaluated again each time a variable holding
// it is used. Each of its backslashes travels behind a marker byte, which evaluation
// keeps and never reads as an escape, and which is taken off where the value leaves
// the language (the arguments of built-in functions, the sides of a comparison).
std::string ProtectData(std::string_view data);
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

// Substitution: variable references and array indices of a text replaced by their
// values, the first steps of evaluating any line.
#pragma once

#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Replaces every variable reference in the first 255 bytes of the text by its value,
// right to left. The result is not cut: the caller cuts it where it is read.
std::string SubstituteVariables(Interp& in, std::string_view text);
// Calls site(open, close) for every bracketed index of a line, right to left: open is
// the `[`, close the `]` that closes it. A quoted text is passed over whole. The call
// may rewrite what lies between them, and an outer index then sees what it wrote.
template <class Site>
void ForEachIndex(std::string& text, Site site) {
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == '"') {
            while (i > 0 && text[--i] != '"') {
            }
            continue;
        }
        if (text[i] != '[') continue;
        std::size_t close = i + 1;
        for (int depth = 1; close < text.size(); ++close) {
            depth += text[close] == '[';
            depth -= text[close] == ']';
            if (depth == 0) break;
        }
        if (close < text.size()) site(i, close);
    }
}
// Replaces every bracketed index expression of a line by its value, right to left.
std::string SubstituteIndices(Interp& in, std::string_view line);

}  // namespace ml

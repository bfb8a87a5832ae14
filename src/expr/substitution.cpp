#include "core/markers.h"
#include "expr/substitution.h"

#include <array>

#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "expr/expression.h"

namespace ml {

namespace {

// A reference: from its marker byte to one past its name.
struct Reference {
    std::size_t start;
    std::size_t end;
};

// A 255-byte text holds at most this many references (each takes two bytes at least).
constexpr std::size_t kMaxReferences = kMaxText / 2 + 1;

// Every reference of the text, left to right; gives their number. A name runs over the
// characters that continue a reference, so a value never becomes part of a name, and
// the next reference starts after it.
std::size_t FindReferences(std::string_view text, std::array<Reference, kMaxReferences>& refs) {
    std::size_t count = 0;
    for (std::size_t at = text.find(kVariableMarker); at != std::string_view::npos;) {
        const std::size_t end = ReferenceEnd(text, at);
        refs[count++] = {at, end};
        at = text.find(kVariableMarker, end);
    }
    return count;
}

}  // namespace

std::string SubstituteVariables(Interp& in, std::string_view text) {
    std::string_view work = ClipSource(text);
    std::array<Reference, kMaxReferences> refs;
    const std::size_t count = FindReferences(work, refs);
    if (count == 0) return std::string(work);
    // Values are looked up right to left, so the rightmost missing one is reported.
    std::array<std::uint16_t, kMaxReferences> slots;
    in.vars.mustExist = true;
    for (std::size_t i = count; i-- > 0;)
        slots[i] = VariableSlot(in, work.substr(refs[i].start, refs[i].end - refs[i].start));
    in.vars.mustExist = false;
    std::string out;
    std::size_t from = 0;
    for (std::size_t i = 0; i < count; ++i) {
        out.append(work, from, refs[i].start - from);
        out += ValueText(in, slots[i]);
        from = refs[i].end;
    }
    out.append(work, from);
    return out;
}

std::string SubstituteIndices(Interp& in, std::string_view line) {
    std::string text(line);
    ForEachIndex(text, [&](std::size_t open, std::size_t close) {
        const std::string value = ExpressionValue(in, std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open + 1, close - open - 1, value);
    });
    return text;
}

}  // namespace ml

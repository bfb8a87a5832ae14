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
        slots[i] = DimKey(in, work.substr(refs[i].start, refs[i].end - refs[i].start));
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
        const std::string value = CodeCount(in, std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open + 1, close - open - 1, value);
    });
    return text;
}

namespace {

// Where a reference ends exactly at `at`, its start; else npos.
std::size_t ReferenceEndingAt(std::string_view line, std::size_t at) {
    if (at < kVariableMarker.size()) return std::string_view::npos;
    for (std::size_t start = line.rfind(kVariableMarker, at - kVariableMarker.size()); start != std::string_view::npos;
         start = start == 0 ? std::string_view::npos : line.rfind(kVariableMarker, start - 1))
        if (ReferenceEnd(line, start) == at) return start;
    return std::string_view::npos;
}

}  // namespace

std::string FillResult(Interp& in, std::string_view line, std::size_t from, std::size_t to, std::string_view result) {
    std::size_t kept = from;
    std::string before;
    if (std::size_t start = ReferenceEndingAt(line, from); start != std::string_view::npos) {
        std::string joined(line.substr(start, from - start));
        joined += result;
        if (ReferenceEnd(joined, 0) > from - start) {
            // The references right before it are read together, as a value put in
            // alone would lengthen the name before it in turn.
            for (std::size_t earlier; (earlier = ReferenceEndingAt(line, start)) != std::string_view::npos;)
                start = earlier;
            kept = start;
            before = SubstituteVariables(in, line.substr(start, from - start));
        }
    }
    std::string filled(line.substr(0, kept));
    filled += before;
    filled += result;
    filled += line.substr(to);
    return filled;
}

}  // namespace ml

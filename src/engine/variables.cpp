#include "engine/variables.h"

#include <algorithm>
#include <array>

#include "core/strings.h"
#include "core/value_text.h"
#include "engine/messages.h"
#include "expr/expression.h"
#include "core/errors.h"
#include "core/program.h"

namespace ml {

namespace {

constexpr std::string_view kPublicPrefix = "\x07$public.";

// A reference: from its marker byte to one past its name.
struct Reference {
    std::size_t start;
    std::size_t end;
};

// A 255-byte text holds at most this many references (each takes two bytes at least).
constexpr std::size_t kMaxReferences = kMaxText / 2 + 1;

// Every reference of the text, left to right; gives their number. A name runs over the
// characters that continue a reference, so a value never becomes part of a name.
std::size_t findReferences(std::string_view text, std::array<Reference, kMaxReferences>& refs) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\x07$"); at != std::string_view::npos; at = text.find("\x07$", at + 2)) {
        std::size_t end = at + 2;
        while (end < text.size() && IsENChar(text[end])) ++end;
        refs[count++] = {at, end};
    }
    return count;
}

std::string currentLine(Interp& in) { return in.program.text(in.exec.pc); }

// The key of a reference at the current depth: the reference itself in the main
// body, else built in the table's scratch text.
std::string_view keyOf(Interp& in, std::string_view reference) {
    std::string_view clipped = ClipView(reference);
    const int depth = in.calls.callDepth;
    if (depth == 0 || StartsWith(clipped, kPublicPrefix)) return clipped;
    std::string& key = in.vars.key;
    key.assign(clipped);
    key += in.calls.calledName[static_cast<std::size_t>(depth - 1)];
    key += std::to_string(depth);
    if (key.size() > kMaxText) key.resize(kMaxText);
    return key;
}

}  // namespace

bool IsENChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '[' || c == ']' || c == '_';
}

bool IsEN_Def(std::string_view text) {
    for (char c : text) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '$' || c == kMarker;
        if (!ok) return false;
    }
    return InCountChar(text, '$') == 1;
}

int FindVariable(Interp& in, std::string_view reference) {
    auto found = in.vars.index.find(keyOf(in, reference));
    return found == in.vars.index.end() ? -1 : found->second;
}

std::uint16_t DimKey(Interp& in, std::string_view reference) {
    VarTable& V = in.vars;
    if (CharAt(reference, 0) != kMarker && CharAt(reference, 1) != '$')
        Fail(in, Say(in, kMsgVariableError) + std::string(reference.substr(0, kMaxText)),
               currentLine(in));
    const std::string_view key = keyOf(in, reference);
    if (auto found = V.index.find(key); found != V.index.end()) return found->second;
    if (V.keys.size() >= static_cast<std::size_t>(kMaxVariables))
        FailAt(kNoEntry, Say(in, kMsgVariablesFull), currentLine(in));
    if (V.mustExist) Fail(in, Say(in, kMsgVariableNotSet) + std::string(reference), currentLine(in));
    auto slot = static_cast<std::uint16_t>(V.keys.size());
    V.index.emplace(std::string(key), slot);
    V.keys.emplace_back(key);
    V.values.emplace_back();
    return slot;
}

std::string Dim(Interp& in, std::string_view text) {
    std::string_view work = ClipSource(text);
    std::array<Reference, kMaxReferences> refs;
    const std::size_t count = findReferences(work, refs);
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
        out += in.vars.values[slots[i]];
        from = refs[i].end;
    }
    out.append(work, from);
    return out;
}

std::string Dim_LR_(Interp& in, std::string_view line) {
    std::string text(line);
    std::size_t i = text.size();
    while (i > 0) {
        --i;
        if (text[i] == '"') {
            // A quoted text is passed over whole.
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
        if (close >= text.size()) continue;
        std::string value = CodeCount(in, std::string_view(text).substr(i + 1, close - i - 1));
        text.replace(i + 1, close - i - 1, value);
    }
    return text;
}

void DimArray(Interp& in, std::string_view name, std::string_view elements) {
    std::string element;
    int n = 0;
    auto store = [&] {
        std::string key = std::string(name) + "[" + std::to_string(n++) + "]";
        std::string value = CodeCount(in, element);
        in.vars.values[DimKey(in, key)] = std::move(value);
        element.clear();
    };
    for (std::size_t i = 0; i < elements.size(); ++i) {
        char c = elements[i];
        if (c == ',') {
            store();
            continue;
        }
        element += c;
        if (c != '"') continue;
        // A quoted part is copied whole, up to and including its closing quote.
        std::size_t close = elements.find('"', i + 1);
        if (close == std::string_view::npos) close = elements.size() - 1;
        element.append(elements, i + 1, close - i);
        i = close;
    }
    store();
    in.vars.values[DimKey(in, std::string(name) + ".length")] = std::to_string(n);
}

}  // namespace ml

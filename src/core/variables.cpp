#include "core/markers.h"
#include "core/variables.h"

#include <cmath>

#include "core/errors.h"
#include "core/messages.h"
#include "core/strings.h"
#include "core/value_text.h"

namespace ml {

namespace {

constexpr std::string_view kPublicPrefix = "\x07$public.";

// The key of a reference at the current depth: the reference itself in the main
// body, else built in the table's scratch text.
std::string_view KeyOf(Interp& in, std::string_view reference) {
    std::string_view clipped = ClipView(reference);
    const int depth = in.calls.callDepth;
    if (depth == 0 || StartsWith(clipped, kPublicPrefix)) return clipped;
    std::string& key = in.vars.key;
    key.assign(clipped);
    key += in.calls.runningFrame().calledName;
    key += std::to_string(depth);
    if (key.size() > kMaxText) key.resize(kMaxText);
    return key;
}

}  // namespace

bool ContinuesReference(char c) {
    return (c >= 'a' && c <= 'z') || IsDigit(c) || c == '.' || c == '[' || c == ']' || c == '_';
}

namespace {

int BracketStep(char c) { return c == '[' ? 1 : c == ']' ? -1 : 0; }

}  // namespace

std::size_t ReferenceEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 2;   // past the marker and the `$`
    for (;;) {
        int depth = 0;
        for (; end < text.size() && ContinuesReference(text[end]); ++end) depth += BracketStep(text[end]);
        // An index is the value its expression gave, which may hold a minus, capitals
        // or a blank: an assignment stores the element under it whatever it holds, so
        // a read takes the index whole, up to its closing bracket.
        std::size_t close = end;
        for (; depth > 0 && close < text.size(); ++close) depth += BracketStep(text[close]);
        if (depth != 0 || close == end) return end;
        end = close;
    }
}

bool IsParameterName(std::string_view text) {
    for (char c : text) {
        bool ok = (c >= 'a' && c <= 'z') || IsDigit(c) || c == '_' || c == '.' || c == '$' || c == kMarker;
        if (!ok) return false;
    }
    return CountOfByte(text, '$') == 1;
}

int FindVariable(Interp& in, std::string_view reference) {
    auto found = in.vars.index.find(KeyOf(in, reference));
    return found == in.vars.index.end() ? -1 : found->second;
}

std::uint16_t VariableSlot(Interp& in, std::string_view reference) {
    VarTable& V = in.vars;
    if (CharAt(reference, 0) != kMarker && CharAt(reference, 1) != '$')
        Fail(in, Say(in, kMsgVariableError) + std::string(reference.substr(0, kMaxText)));
    const std::string_view key = KeyOf(in, reference);
    if (auto found = V.index.find(key); found != V.index.end()) return found->second;
    if (V.keys.size() >= static_cast<std::size_t>(kMaxVariables))
        FailAt(kNoEntry, Say(in, kMsgVariablesFull), in.program.text(in.exec.pc));
    if (V.mustExist) Fail(in, Say(in, kMsgVariableNotSet) + std::string(reference));
    auto slot = static_cast<std::uint16_t>(V.keys.size());
    V.index.emplace(std::string(key), slot);
    V.keys.emplace_back(key);
    V.values.emplace_back();
    V.numbers.emplace_back();
    return slot;
}

void SetValue(Interp& in, std::uint16_t slot, std::string value) {
    in.vars.values[slot] = std::move(value);
    in.vars.numbers[slot].state = 0;
}

bool IsInertValue(Interp& in, std::size_t slot) {
    ValueNumber& number = in.vars.numbers[slot];
    if (!(number.state & ValueNumber::kInertRead)) {
        const std::string& text = ValueText(in, slot);
        number.state |= ValueNumber::kInertRead | (IsInert(text) ? ValueNumber::kInert : 0) |
                        (IsArithmetic(ClipView(text)) ? ValueNumber::kArithmetic : 0);
    }
    return number.state & ValueNumber::kInert;
}

const std::string& WriteDueText(Interp& in, std::size_t slot) {
    ValueNumber& number = in.vars.numbers[slot];
    std::string& text = in.vars.values[slot];
    // The digits are written from the last, into the length counted when the number
    // was stored: the same text as FormatNumber gives a whole number.
    auto magnitude = static_cast<std::uint64_t>(std::fabs(number.value));
    text.resize(number.textLength);
    char* at = text.data() + text.size();
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (at != text.data()) *--at = '-';
    number.state &= static_cast<std::uint8_t>(~ValueNumber::kTextDue);
    return text;
}

}  // namespace ml

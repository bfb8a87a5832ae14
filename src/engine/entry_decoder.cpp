#include "engine/entry_decoder.h"

#include "core/markers.h"
#include "engine/call_dispatch.h"
#include "engine/functions.h"
#include "core/strings.h"
#include "core/variables.h"
#include "expr/condition.h"
#include "expr/decoded_chain.h"
#include "expr/expression.h"

namespace ml {

namespace {

std::string_view Part(const Interp& in, std::uint16_t from, std::uint16_t length) {
    return std::string_view(in.program.text(in.exec.pc)).substr(from, length);
}

void DecodeAssignment(std::string_view text, DecodedEntry& decoded) {
    if (EndsWith(text, ").array")) return;
    const std::size_t equal = text.find('=');
    if (equal == std::string_view::npos || InCountChar(text.substr(0, equal), '$') != 1) return;
    decoded.kind = EntryKind::Assign;
    decoded.rightFrom = static_cast<std::uint16_t>(equal + 1);
    decoded.rightLength = static_cast<std::uint16_t>(text.size() - equal - 1);
    decoded.numeric = DecodeChain(text.substr(equal + 1), decoded.sides[0]);
}

// A block word's condition: the text between its "(" and the final ")".
void DecodeCondition(std::string_view text, std::size_t open, EntryKind kind, DecodedEntry& decoded) {
    decoded.kind = kind;
    if (text.size() > open + 1) {
        decoded.rightFrom = static_cast<std::uint16_t>(open + 1);
        decoded.rightLength = static_cast<std::uint16_t>(text.size() - open - 2);
    }
    const ConditionParts parts = SplitCondition(text.substr(decoded.rightFrom, decoded.rightLength));
    decoded.compare = static_cast<std::uint8_t>(parts.op);
    decoded.numeric = IsOrdering(parts.op) && DecodeChain(parts.sides[0], decoded.sides[0]) &&
                      DecodeChain(parts.sides[1], decoded.sides[1]);
}

// A line with calls: its innermost call is decoded; the line that call leaves runs
// from its text. Binding an object alias stays text.
void DecodeCallEntry(std::string_view text, DecodedEntry& decoded) {
    if (IsNewStatement(text)) return;
    if (!DecodeCall(text, decoded.call)) return;
    decoded.kind = EntryKind::Call;
    // `$t = ...~f(...)...`: the target stands before the call, so the line the call
    // leaves assigns to the same variable.
    const std::size_t equal = text.find('=');
    if (!StartsWith(text, kVariableMarker) || equal > decoded.call.marker) return;
    if (InCountChar(text.substr(0, equal), '$') != 1) return;
    decoded.assignsCall = true;
    decoded.rightFrom = static_cast<std::uint16_t>(equal + 1);
}

// The slot of an assignment's target, found once per call frame.
std::uint16_t TargetSlot(Interp& in, DecodedEntry& decoded) {
    const std::uint32_t frame = CurrentFrame(in);
    if (decoded.targetSlot < 0 || decoded.targetFrame != frame) {
        decoded.targetSlot = DimKey(in, Part(in, 0, static_cast<std::uint16_t>(decoded.rightFrom - 1)));
        decoded.targetFrame = frame;
    }
    return static_cast<std::uint16_t>(decoded.targetSlot);
}

}  // namespace

std::unique_ptr<DecodedEntry> DecodeEntry(const Interp& in, int entry) {
    auto decoded = std::make_unique<DecodedEntry>();
    const std::string& text = in.program.text(entry);
    const auto at = static_cast<std::size_t>(entry);
    // Entries too long for the offsets kept here are rare enough to stay text.
    if (text.size() > UINT16_MAX) return decoded;
    if (text.empty() || text[0] == ':') decoded->kind = EntryKind::Skip;
    else if (in.program.hasBracket[at]) return decoded;
    else if (in.program.hasCall[at] && Contains(text, kCallMarker)) DecodeCallEntry(text, *decoded);
    else if (StartsWith(text, kVariableMarker)) DecodeAssignment(text, *decoded);
    else if (StartsWith(text, "return")) DecodeReturn(text, *decoded);
    else if (StartsWith(text, "cmp")) DecodeCondition(text, 3, EntryKind::Cmp, *decoded);
    else if (StartsWith(text, "elcmp")) DecodeCondition(text, 5, EntryKind::ElCmp, *decoded);
    else if (text == "end") decoded->kind = EntryKind::End;
    else if (text == "loop") decoded->kind = EntryKind::Loop;
    return decoded;
}

void RunDecodedAssignment(Interp& in, DecodedEntry& decoded) {
    // The target exists before its right side is evaluated, so $n = $n + 1 works.
    const std::uint16_t slot = TargetSlot(in, decoded);
    ChainValue value;
    if (decoded.numeric && EvaluateChain(in, decoded.sides[0], value))
        StoreChainValue(in, slot, decoded.sides[0], value);
    else
        SetValue(in, slot, DecodedValue(in, decoded.numeric, decoded.sides[0], Part(in, decoded.rightFrom, decoded.rightLength)));
    ++in.exec.pc;
}

bool RunLeftAssignment(Interp& in, DecodedEntry& decoded) {
    const std::string& line = in.exec.current;
    if (!decoded.assignsCall || Contains(line, kCallMarker) || EndsWith(line, ").array")) return false;
    const std::uint16_t slot = TargetSlot(in, decoded);
    SetValue(in, slot, CodeCount(in, std::string_view(line).substr(decoded.rightFrom)));
    ++in.exec.pc;
    return true;
}

bool DecodedCondition(Interp& in, DecodedEntry& decoded) {
    ChainValue left, right;
    if (decoded.numeric && EvaluateChain(in, decoded.sides[0], left) && EvaluateChain(in, decoded.sides[1], right))
        return Ordered(static_cast<Compare>(decoded.compare), ChainNumber(left), ChainNumber(right));
    return CmpCodeCount(in, Part(in, decoded.rightFrom, decoded.rightLength)) != 0;
}

}  // namespace ml

#include "engine/entry_decoder.h"

#include "core/markers.h"
#include "core/statement.h"
#include "engine/call_text.h"
#include "engine/functions.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "expr/condition.h"
#include "expr/decoded_expression.h"
#include "expr/decoded_join.h"
#include "expr/indexed_line.h"

namespace ml {

namespace {

// The line a call leaves, with the result hole where the call stood: an assignment
// after whose "=" the call stood, or a condition. Null for anything else, and for a
// line with a further call.
std::unique_ptr<DecodedEntry> DecodeLeftLine(const std::string& line) {
    if (Contains(line, kCallMarker)) return nullptr;
    auto left = std::make_unique<DecodedEntry>();
    const Statement& statement = StatementOf(line);
    if (statement.decode) statement.decode(line, *left);
    const bool assigns = left->kind == EntryKind::Assign;
    if (assigns ? line.find('=') > line.find(kResultHole)
                : left->kind != EntryKind::Cmp && left->kind != EntryKind::ElCmp)
        return nullptr;
    left->storesResultAlone = left->kind == EntryKind::Assign && left->sides[0].source == kResultHole;
    return left;
}

// A line with calls: its innermost call is decoded, and the line it leaves. Binding
// an object alias stays text.
void DecodeCallEntry(std::string_view text, DecodedEntry& decoded) {
    if (IsNewStatement(text)) return;
    if (!DecodeCall(text, decoded.call)) return;
    decoded.kind = EntryKind::Call;
    std::string left(text.substr(0, decoded.call.marker));
    left += kResultHole;
    left += text.substr(decoded.call.end);
    decoded.leaves = DecodeLeftLine(left);
}

}  // namespace

void DecodeAssignment(std::string_view text, DecodedEntry& decoded) {
    if (EndsWith(text, ").array")) return;
    const std::size_t equal = text.find('=');
    if (equal == std::string_view::npos || CountOfByte(text.substr(0, equal), '$') != 1) return;
    decoded.kind = EntryKind::Assign;
    decoded.target.assign(text.substr(0, equal));
    decoded.sides.resize(1);
    DecodeExpression(text.substr(equal + 1), decoded.sides[0]);
}

void DecodeCondition(std::string_view text, std::size_t open, EntryKind kind, DecodedEntry& decoded) {
    decoded.kind = kind;
    const ConditionParts parts = SplitCondition(ConditionOf(text, open));
    decoded.compare = static_cast<std::uint8_t>(parts.op);
    decoded.sides.resize(2);
    DecodeExpression(parts.sides[0], decoded.sides[0]);
    DecodeExpression(parts.sides[1], decoded.sides[1]);
}

std::unique_ptr<DecodedEntry> DecodeEntry(const Interp& in, int entry) {
    auto decoded = std::make_unique<DecodedEntry>();
    const std::string& text = in.program.text(entry);
    const auto at = static_cast<std::size_t>(entry);
    // Entries too long for the offsets kept here are rare enough to stay text, and so
    // are those that hold the result hole's bytes themselves.
    if (text.size() > UINT16_MAX || Contains(text, kResultHole)) return decoded;
    const Statement& statement = in.program.statement(entry);
    if (statement.passedOver) decoded->kind = EntryKind::Skip;
    else if (in.program.hasBracket[at]) {
        if (!in.program.hasCall[at]) DecodeIndexedAssignment(text, *decoded);
    }
    else if (in.program.hasCall[at] && Contains(text, kCallMarker)) DecodeCallEntry(text, *decoded);
    else if (statement.decode) statement.decode(text, *decoded);
    return decoded;
}

void RunWholeAssignment(Interp& in, DecodedEntry& left, double number) {
    SetWholeNumber(in, TargetSlot(in, left), number);
    ++in.exec.pc;
}

void RunResultAssignment(Interp& in, DecodedEntry& left, std::string_view value, const ValueNumber& number) {
    const std::uint16_t slot = TargetSlot(in, left);
    CopyText(in.vars.values[slot], value);
    in.vars.numbers[slot] = number;
    ++in.exec.pc;
}

bool ConditionFromTexts(Interp& in, DecodedEntry& decoded, std::string_view result) {
    const auto op = static_cast<Compare>(decoded.compare);
    DecodedExpression* sides = decoded.sides.data();
    if (IsOrdering(op))
        return CompareSides(in, op, Filled(sides[0].source, result), Filled(sides[1].source, result)) != 0;
    // The values are written over the room of the last ones.
    std::string* values = in.exec.conditionValues;
    if (!DecodedValueInto(in, sides[0], result, values[0])) UnprotectData(values[0]);
    if (op == Compare::None) values[1].clear();
    else if (!DecodedValueInto(in, sides[1], result, values[1])) UnprotectData(values[1]);
    return CompareValues(op, values[0], values[1]) != 0;
}

}  // namespace ml

#include "core/markers.h"
#include "engine/executor.h"

#include "engine/blocks.h"
#include "engine/call_dispatch.h"
#include "engine/entry_decoder.h"
#include "core/strings.h"
#include "engine/functions.h"
#include "engine/left_line.h"
#include "engine/statement_table.h"
#include "engine/user_call.h"
#include "core/messages.h"
#include "core/variables.h"
#include "expr/indexed_line.h"
#include "expr/substitution.h"
#include "expr/expression.h"
#include "core/errors.h"

namespace ml {

namespace {

// What the line's innermost call left: the line again with the call's value in its
// place, to run once more; or, from a call that gives none, "(null)" and the rest.
void FinishCall(Interp& in, int remembered, std::string result) {
    ExecState& E = in.exec;
    if (!StartsWith(result, "(null)")) {
        E.current = std::move(result);
        E.rerun = true;
    } else if (result.size() == 6) {
        ++E.pc;
    } else {
        // A statement call followed by more text.
        E.pc = remembered;
        CommandError(in, E.current);
    }
}

void RunCall(Interp& in) {
    if (IsNewStatement(in.exec.current)) return NewStatement(in);
    const int remembered = in.exec.pc;
    FinishCall(in, remembered, RunInnermostCall(in, in.exec.current));
}

void RunCallEntry(Interp& in, DecodedEntry& decoded) {
    const int remembered = in.exec.pc;
    CopyText(in.exec.current, in.program.texts[static_cast<std::size_t>(remembered)]);
    CallOutcome outcome;
    std::string result = RunDecodedCall(in, decoded.call, outcome);
    if (outcome == CallOutcome::Done) {
        ++in.exec.pc;
        return;
    }
    if (outcome == CallOutcome::Line) return FinishCall(in, remembered, std::move(result));
    if (RunLeftLine(in, decoded.leaves.get(), result)) return;
    const DecodedCall& call = decoded.call;
    FinishCall(in, remembered, PutBack(in.exec.current, call.marker, call.end, result));
}

// An assignment with computed indices; where the decoded form does not hold, the line
// runs from its text with the indices' values written in.
void RunIndexedEntry(Interp& in, DecodedEntry& decoded) {
    if (RunIndexedAssignment(in, decoded)) {
        ++in.exec.pc;
        return;
    }
    ++in.decoded.textRuns;
    in.exec.current = IndexedText(in, in.program.text(in.exec.pc), *decoded.indexed);
    RunStatement(in);
}

// Runs the entry at the program counter from its decoded form, made now if it is
// the entry's second run; false when the entry runs from its text.
bool RunDecoded(Interp& in) {
    auto& entries = in.decoded.entries;
    const auto pc = static_cast<std::size_t>(in.exec.pc);
    if (in.exec.rerun) return false;
    if (entries.size() <= pc) {
        entries.resize(static_cast<std::size_t>(in.program.entryCount));
        in.decoded.ranOnce.resize(entries.size());
    }
    if (!entries[pc]) {
        if (!in.decoded.ranOnce[pc]) {
            in.decoded.ranOnce[pc] = true;
            return false;
        }
        entries[pc] = DecodeEntry(in, in.exec.pc);
    }
    DecodedEntry& decoded = *entries[pc];
    switch (decoded.kind) {
        case EntryKind::Text: return false;
        case EntryKind::Assign: RunDecodedAssignment(in, decoded); break;
        case EntryKind::IndexedAssign: RunIndexedEntry(in, decoded); break;
        case EntryKind::Cmp: RunCmp(in, [&] { return DecodedCondition(in, decoded); }); break;
        case EntryKind::ElCmp: RunElCmp(in, [&] { return DecodedCondition(in, decoded); }); break;
        case EntryKind::Loop: RunLoop(in); break;
        case EntryKind::Return:
            // Outside a function the word is no statement: the text path reports it.
            if (in.calls.callDepth == 0) return false;
            ReturnDecoded(in, decoded);
            break;
        case EntryKind::Call: RunCallEntry(in, decoded); break;
        case EntryKind::Skip:
        case EntryKind::End: ++in.exec.pc; break;
    }
    return true;
}

}  // namespace

void Script(Interp& in) {
    ExecState& E = in.exec;
    const Program& P = in.program;
    while (E.pc < P.entryCount) {
        if (--E.statementsLeft == 0) throw ProgramEnd{};
        if (in.decoded.enabled && RunDecoded(in)) continue;
        const auto pc = static_cast<std::size_t>(E.pc);
        const std::string& stored = P.texts[pc];
        if (stored.empty() || stored[0] == ':') {
            ++E.pc;
            continue;
        }
        ++in.decoded.textRuns;
        if (E.rerun) E.rerun = false;
        else E.current = P.hasBracket[pc] ? SubstituteIndices(in, stored) : stored;
        if (P.hasCall[pc] && Contains(E.current, kCallMarker)) RunCall(in);
        else RunStatement(in);
    }
}

}  // namespace ml

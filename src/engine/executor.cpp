#include "core/markers.h"
#include "engine/executor.h"

#include "engine/blocks.h"
#include "engine/call_dispatch.h"
#include "engine/entry_decoder.h"
#include "core/strings.h"
#include "engine/functions.h"
#include "engine/left_line.h"
#include "engine/user_call.h"
#include "core/messages.h"
#include "core/variables.h"
#include "expr/indexed_line.h"
#include "expr/substitution.h"
#include "expr/expression.h"
#include "core/errors.h"

namespace ml {

namespace {


// The text between a block word's "(" and the final ")".
std::string_view Condition(std::string_view text, std::size_t open) {
    return text.size() > open + 1 ? text.substr(open + 1, text.size() - open - 2) : std::string_view();
}

[[noreturn]] void CommandError(Interp& in, const std::string& text) {
    Fail(in, Say(in, kMsgCommand), text);
}

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

// `$name(e1, e2, ...).Array`: stores the elements and the length.
void StoreArrayLiteral(Interp& in, std::string_view name, std::string_view elements) {
    std::string element;
    int n = 0;
    auto store = [&] {
        std::string key = std::string(name) + "[" + std::to_string(n++) + "]";
        std::string value = ExpressionValue(in, element);
        SetValue(in, VariableSlot(in, key), std::move(value));
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
    SetValue(in, VariableSlot(in, std::string(name) + ".length"), std::to_string(n));
}

void RunAssignment(Interp& in) {
    const std::string& text = in.exec.current;
    if (EndsWith(text, ").array")) {
        const std::size_t open = text.find('('), close = text.rfind(')');
        StoreArrayLiteral(in, std::string_view(text).substr(0, open), std::string_view(text).substr(open + 1, close - open - 1));
    } else {
        const std::size_t equal = text.find('=');
        std::string_view target = std::string_view(text).substr(0, equal);
        if (CountOfByte(target, '$') != 1) Fail(in, Say(in, kMsgVariableError) + std::string(target));
        // The target exists before its right side is evaluated, so $n = $n + 1 works.
        const std::uint16_t slot = VariableSlot(in, target);
        std::string_view right = equal == std::string::npos ? std::string_view() : std::string_view(text).substr(equal + 1);
        SetValue(in, slot, ExpressionValue(in, right));
    }
    ++in.exec.pc;
}

void SkipFunctionBody(Interp& in) {
    const LoaderState& L = in.loader;
    for (std::size_t i = 0; i < L.functionCount(); ++i)
        if (L.defEntry[i] == in.exec.pc) {
            in.exec.pc = L.endDefEntry[i];
            break;
        }
    ++in.exec.pc;
}

void RunGoTo(Interp& in) {
    const std::string& text = in.exec.current;
    const std::string key = ":" + text.substr(std::min<std::size_t>(text.size(), 5));
    for (int entry : in.loader.labels)
        if (in.program.text(entry) == key) {
            in.exec.pc = entry + 1;
            return;
        }
    // The report names the label without its scope digits.
    std::string shown = text.substr(0, 5) + text.substr(std::min<std::size_t>(text.size(), 8));
    std::string name = text.substr(std::min<std::size_t>(text.size(), 8));
    Fail(in, Say(in, kMsgNoJumpLabel), shown + " -> :" + name + "\n");
}

void RunLoop(Interp& in) { in.exec.pc = in.program.successors[static_cast<std::size_t>(in.exec.pc)]; }

// `Break` and `Continue` look forward for the `Loop` of the innermost enclosing loop.
// The search never crosses into or out of a function body.
void RunBreak(Interp& in, bool isBreak) {
    ExecState& E = in.exec;
    int skip = 0;
    for (;;) {
        ++E.pc;
        const std::string& text = in.program.text(E.pc);
        if (E.pc >= in.program.entryCount || StartsWith(text, "def:") || text == "enddef")
            FailAt(E.pc, Say(in, isBreak ? kMsgBreakNoLoop : kMsgContinueNoLoop), Say(in, kErrNoLoop));
        if (text == "end" || text == "loop") {
            if (skip > 0) --skip;
            else if (text == "loop") break;
        } else if (StartsWith(text, "cmp")) {
            ++skip;
        }
    }
    if (isBreak) ++E.pc;
    else E.pc = in.program.successors[static_cast<std::size_t>(E.pc)];
}

void RunStatement(Interp& in) {
    const std::string& text = in.exec.current;
    if (StartsWith(text, kVariableMarker)) return RunAssignment(in);
    if (StartsWith(text, "def:")) return SkipFunctionBody(in);
    // Function ends are reached only inside a call; at depth 0 they are no statement.
    if (text == "enddef" && in.calls.callDepth > 0) return EndDefStatement(in);
    if (StartsWith(text, "return") && in.calls.callDepth > 0) return ReturnStatement(in);
    if (StartsWith(text, "goto")) return RunGoTo(in);
    if (StartsWith(text, "cmp")) return RunCmp(in, [&] { return ConditionHolds(in, Condition(text, 3)) != 0; });
    if (StartsWith(text, "elcmp")) return RunElCmp(in, [&] { return ConditionHolds(in, Condition(text, 5)) != 0; });
    if (text == "end") {
        ++in.exec.pc;
        return;
    }
    if (text == "loop") return RunLoop(in);
    if (text == "break" || text == "continue") return RunBreak(in, text == "break");
    if (text == "exit") throw ProgramEnd{};
    CommandError(in, text);
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
    in.exec.current = IndexedText(in.program.text(in.exec.pc), *decoded.indexed);
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
        if (E.rerun) E.rerun = false;
        else E.current = P.hasBracket[pc] ? SubstituteIndices(in, stored) : stored;
        if (P.hasCall[pc] && Contains(E.current, kCallMarker)) RunCall(in);
        else RunStatement(in);
    }
}

}  // namespace ml

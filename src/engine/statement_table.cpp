// The statement table: every kind of script line, once, with its load check, the
// runner of its text and its decoder. To add a statement, add its row here.
#include "engine/statement_table.h"

#include "core/errors.h"
#include "core/markers.h"
#include "core/messages.h"
#include "core/statement.h"
#include "core/strings.h"
#include "core/variables.h"
#include "engine/blocks.h"
#include "engine/call_text.h"
#include "engine/entry_decoder.h"
#include "engine/user_call.h"
#include "expr/condition.h"
#include "expr/expression.h"
#include "loader/statements.h"

namespace ml {

namespace {

constexpr std::string_view kCmpWord = "cmp";
constexpr std::string_view kElCmpWord = "elcmp";

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

// `Break` and `Continue` look forward for the `Loop` of the innermost enclosing loop.
// The search never crosses into or out of a function body.
void RunBreak(Interp& in, bool isBreak) {
    ExecState& E = in.exec;
    int skip = 0;
    for (;;) {
        ++E.pc;
        const Block block = in.program.statement(E.pc).block;
        if (E.pc >= in.program.entryCount || block == Block::FunctionStart || block == Block::FunctionEnd)
            FailAt(E.pc, Say(in, isBreak ? kMsgBreakNoLoop : kMsgContinueNoLoop), Say(in, kErrNoLoop));
        if (block == Block::Closes || block == Block::ClosesLoop) {
            if (skip > 0) --skip;
            else if (block == Block::ClosesLoop) break;
        } else if (block == Block::Opens) {
            ++skip;
        }
    }
    if (isBreak) ++E.pc;
    else E.pc = in.program.successors[static_cast<std::size_t>(E.pc)];
}

void RunBreakLine(Interp& in) { RunBreak(in, true); }
void RunContinueLine(Interp& in) { RunBreak(in, false); }

void RunCmpLine(Interp& in) {
    RunCmp(in, [&] { return ConditionHolds(in, ConditionOf(in.exec.current, kCmpWord.size())) != 0; });
}

void RunElCmpLine(Interp& in) {
    RunElCmp(in, [&] { return ConditionHolds(in, ConditionOf(in.exec.current, kElCmpWord.size())) != 0; });
}

void RunEndLine(Interp& in) { ++in.exec.pc; }

// Function ends are reached only inside a call; at depth 0 they are no statement.
void RunEndDefLine(Interp& in) {
    if (in.calls.callDepth == 0) CommandError(in, in.exec.current);
    EndDefStatement(in);
}

void RunReturnLine(Interp& in) {
    if (in.calls.callDepth == 0) CommandError(in, in.exec.current);
    ReturnStatement(in);
}

constexpr std::string_view kExitWord = "exit";

// The load check passed every status that begins like a number; a text that is none
// (`Exitfoo`, or what a call left) is no statement, as it was before statuses.
void RunExitLine(Interp& in) {
    const std::optional<int> status = ExitStatusOf(std::string_view(in.exec.current).substr(kExitWord.size()));
    if (!status) CommandError(in, in.exec.current);
    throw ProgramEnd{*status};
}

void DecodeCmpLine(std::string_view text, DecodedEntry& decoded) {
    DecodeCondition(text, kCmpWord.size(), EntryKind::Cmp, decoded);
}

void DecodeElCmpLine(std::string_view text, DecodedEntry& decoded) {
    DecodeCondition(text, kElCmpWord.size(), EntryKind::ElCmp, decoded);
}

void DecodeEndLine(std::string_view, DecodedEntry& decoded) { decoded.kind = EntryKind::End; }
void DecodeLoopLine(std::string_view, DecodedEntry& decoded) { decoded.kind = EntryKind::Loop; }

using enum Block;
using enum Stored;
constexpr bool kPrefix = true, kExact = false;

// Tried in order, the most frequent lines first; no text matches two rows but the
// last, which takes any other line.
constexpr Statement kStatements[] = {
    // word           match    block          stored     passed  load               run               decode
    {kVariableMarker, kPrefix, None,          AsWritten, false,  CheckVariableLine, RunAssignment,    DecodeAssignment},
    {kCallMarker,     kPrefix, None,          AsWritten, false,  CheckNew,          nullptr,          nullptr},
    {kCmpWord,        kPrefix, Opens,         AsWritten, false,  LoadCmp,           RunCmpLine,       DecodeCmpLine},
    {kElCmpWord,      kPrefix, Branch,        AsWritten, false,  LoadElCmp,         RunElCmpLine,     DecodeElCmpLine},
    {"end",           kExact,  Closes,        AsWritten, false,  LoadBlockEnd,      RunEndLine,       DecodeEndLine},
    {"loop",          kExact,  ClosesLoop,    AsWritten, false,  LoadBlockEnd,      RunLoop,          DecodeLoopLine},
    {"return",        kPrefix, None,          AsWritten, false,  LoadReturn,        RunReturnLine,    DecodeReturn},
    {"def:",          kPrefix, FunctionStart, AsWritten, false,  LoadDef,           SkipFunctionBody, nullptr},
    {"enddef",        kExact,  FunctionEnd,   AsWritten, false,  LoadEndDef,        RunEndDefLine,    nullptr},
    {"",              kExact,  None,          AsWritten, true,   nullptr,           nullptr,          nullptr},
    {":",             kPrefix, None,          AsWritten, true,   LoadLabel,         nullptr,          nullptr},
    {"break",         kExact,  None,          AsWritten, false,  LoadBreak,         RunBreakLine,     nullptr},
    {"continue",      kExact,  None,          AsWritten, false,  LoadBreak,         RunContinueLine,  nullptr},
    {"goto",          kPrefix, None,          AsWritten, false,  LoadGoTo,          RunGoTo,          nullptr},
    {kExitWord,       kPrefix, None,          AsWritten, false,  LoadExit,          RunExitLine,      nullptr},
    {"#import",       kPrefix, None,          ByCheck,   false,  LoadImport,        nullptr,          nullptr},
    {"class:",        kPrefix, None,          Empty,     false,  LoadClass,         nullptr,          nullptr},
    {"endclass",      kExact,  None,          Empty,     false,  LoadEndClass,      nullptr,          nullptr},
    // A call, whose result the line then runs with, or no statement.
    {"",              kPrefix, None,          AsWritten, false,  nullptr,           nullptr,          nullptr},
};

}  // namespace

std::span<const Statement> Statements() { return kStatements; }

void CommandError(Interp& in, const std::string& text) { Fail(in, Say(in, kMsgCommand), text); }

void RunStatement(Interp& in) {
    const Statement& statement = StatementOf(in.exec.current);
    if (!statement.run) CommandError(in, in.exec.current);
    statement.run(in);
}

}  // namespace ml

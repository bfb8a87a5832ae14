// The loading of each normalised line by its statement's row, the checks of variable
// lines and of blocks, and the store step.
#include "core/markers.h"
#include "loader/loader.h"

#include "core/strings.h"
#include "loader/loader_messages.h"
#include "core/errors.h"
#include "core/statement.h"
#include "loader/normal_form.h"
#include "loader/statements.h"

namespace ml {

namespace {

// Only these characters may form the target of an assignment, outside its indices.
// An index may hold any expression that a read of the same element may hold.
bool IsAssignmentTarget(std::string_view text) {
    int depth = 0;
    for (char c : text) {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        bool ok = depth > 0 || (c >= 'a' && c <= 'z') || IsDigit(c) || c == '$' || c == kMarker ||
                  c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '.' ||
                  c == '/' || c == '_' || c == '[' || c == ']';
        if (!ok) return false;
    }
    return true;
}

void CheckArrayLiteral(LoadLine& line) {
    const std::string& normal = line.normal;
    if (CountOfByte(normal, '(') != 1) FailSymbol(line.in, line.source);
    std::string_view name = std::string_view(normal).substr(2, normal.find('(') - 2);
    if (CharAt(normal, 2) == '(' || normal.find("()") != std::string::npos || !IsPlainName(name)) FailLoad(line, kMsgArray, line.source);
}

// `Cmp` and `ElCmp` must have their condition in parentheses right after the word;
// an empty condition is always true.
void CheckCondition(LoadLine& line, std::size_t paren) {
    if (CharAt(line.normal, paren) != '(' || line.normal.back() != ')') FailSymbol(line.in, line.source);
    if (line.normal.size() == paren + 2) line.normal.insert(paren + 1, "1");
}

// The store step: the class-level check, then the entry is written.
void StoreEntry(LoadLine& line, const Statement& statement, bool bracket, bool call) {
    LoaderState& L = line.in.loader;
    Program& P = line.in.program;
    if (!line.normal.empty() && L.inClass && L.outsideFunctionBody) FailLoad(line, kMsgClassLevel, line.source);
    if (statement.block == Block::FunctionEnd) L.outsideFunctionBody = true;
    P.addEntry(line.normal, bracket, call);
}

}  // namespace

void FailLoad(LoadLine& line, const MsgPair& message, std::string_view error) {
    FailAt(line.in.program.entryCount, Say(line.in, message), std::string(error));
}

void FailLoad(LoadLine& line, const MsgPair& message, const MsgPair& error) {
    FailAt(line.in.program.entryCount, Say(line.in, message), Say(line.in, error));
}

void FailSymbol(Interp& in, std::string_view source) {
    FailAt(in.program.entryCount, Say(in, kMsgSymbolMissing), std::string(source));
}

void FailSameName(LoadLine& line) { FailLoad(line, kMsgSameName, line.source); }

void CheckVariableLine(LoadLine& line) {
    if (EndsWith(line.normal, ").array")) return CheckArrayLiteral(line);
    auto equal = line.normal.find('=');
    if (equal == std::string::npos) FailLoad(line, kMsgNoEqual, line.source);
    if (!IsAssignmentTarget(std::string_view(line.normal).substr(0, equal))) {
        std::string message = Say(line.in, kMsgVariableError) + line.source.substr(0, line.source.find('='));
        FailAt(line.in.program.entryCount, message, line.source);
    }
}

void LoadCmp(LoadLine& line) {
    LoaderState& L = line.in.loader;
    if (L.openCmpCount >= kMaxOpenCmp) FailAt(kNoEntry, Say(line.in, kMsgCmpTooDeep), line.source);
    L.openCmpEntries[static_cast<std::size_t>(L.openCmpCount++)] = line.in.program.entryCount;
    CheckCondition(line, 3);
}

void LoadElCmp(LoadLine& line) {
    if (line.in.loader.openCmpCount == 0) FailLoad(line, kMsgElCmpAlone, kErrNoCmp);
    CheckCondition(line, 5);
}

void LoadBlockEnd(LoadLine& line) {
    if (line.in.loader.openCmpCount == 0) FailLoad(line, line.normal == "end" ? kMsgEndAlone : kMsgLoopAlone, kErrNoCmp);
    --line.in.loader.openCmpCount;
}

void LoadBreak(LoadLine& line) {
    if (line.in.loader.openCmpCount == 0) FailLoad(line, line.normal == "break" ? kMsgBreakAlone : kMsgContinueAlone, "");
}

std::optional<int> ExitStatusOf(std::string_view rest) {
    int status = 0;
    for (char c : rest) {
        if (!IsDigit(c)) return std::nullopt;
        status = status * 10 + (c - '0');
        if (status > 255) return std::nullopt;
    }
    return status;
}

// Only a line whose status begins like a number is checked here. Any other text after
// the word (`Exit ~Code()`, `Exitfoo`) loaded before the status existed, and a script
// may hold such a line where it never runs; it stays what it was: a call, or a
// "Command error" when it runs.
void LoadExit(LoadLine& line) {
    const std::string_view rest = std::string_view(line.normal).substr(4);
    const bool numberLike = !rest.empty() && (IsDigit(rest[0]) || rest[0] == '+' || rest[0] == '-');
    if (numberLike && !ExitStatusOf(rest)) FailLoad(line, kMsgExitStatus, line.source);
}

void EmptyEntry(Interp& in) { in.program.addEntry({}, false, false); }

void LoadSourceLine(Interp& in, std::string& source) {
    NormalLine form = Normalise(in, source);
    LoadLine line{in, source, std::move(form.text)};
    const Statement& statement = StatementOf(line.normal);
    if (statement.load) statement.load(line);
    if (statement.stored == Stored::Empty) EmptyEntry(in);
    else if (statement.stored == Stored::AsWritten) StoreEntry(line, statement, form.bracket, form.call);
}

}  // namespace ml

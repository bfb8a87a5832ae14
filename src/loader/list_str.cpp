// Recognition of each normalised line, the checks of variable lines and of `Cmp`
// blocks, and the store step.
#include "core/markers.h"
#include "loader/loader.h"

#include "core/strings.h"
#include "loader/loader_messages.h"
#include "core/errors.h"
#include "loader/normal_form.h"
#include "loader/statements.h"

namespace ml {

namespace {



// Only these characters may form the target of an assignment.
bool IsEN_Dim(std::string_view text) {
    for (char c : text) {
        bool ok = (c >= 'a' && c <= 'z') || IsDigit(c) || c == '$' || c == kMarker ||
                  c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '.' ||
                  c == '/' || c == '_' || c == '[' || c == ']';
        if (!ok) return false;
    }
    return true;
}

void CheckArrayLiteral(LoadLine& line) {
    const std::string& T = line.T;
    if (InCountChar(T, '(') != 1) FailSymbol(line.in, line.source);
    std::string_view name = std::string_view(T).substr(2, T.find('(') - 2);
    if (CharAt(T, 2) == '(' || T.find("()") != std::string::npos || !IsEN(name)) FailLoad(line, kMsgArray, line.source);
}

void CheckVariableLine(LoadLine& line) {
    if (EndsWith(line.T, ").array")) return CheckArrayLiteral(line);
    auto equal = line.T.find('=');
    if (equal == std::string::npos) FailLoad(line, kMsgNoEqual, line.source);
    if (!IsEN_Dim(std::string_view(line.T).substr(0, equal))) {
        std::string message = Say(line.in, kMsgVariableError) + line.source.substr(0, line.source.find('='));
        FailAt(line.in.program.entryCount, message, line.source);
    }
}

// `Cmp` and `ElCmp` must have their condition in parentheses right after the word;
// an empty condition is always true.
void CheckCondition(LoadLine& line, std::size_t paren) {
    if (CharAt(line.T, paren) != '(' || line.T.back() != ')') FailSymbol(line.in, line.source);
    if (line.T.size() == paren + 2) line.T.insert(paren + 1, "1");
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
    if (line.in.loader.openCmpCount == 0) FailLoad(line, line.T == "end" ? kMsgEndAlone : kMsgLoopAlone, kErrNoCmp);
    --line.in.loader.openCmpCount;
}

void LoadBreak(LoadLine& line) {
    if (line.in.loader.openCmpCount == 0) FailLoad(line, line.T == "break" ? kMsgBreakAlone : kMsgContinueAlone, "");
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

void EmptyEntry(Interp& in) { in.program.addEntry({}, false, false); }

void StoreEntry(LoadLine& line, bool bracket, bool call) {
    LoaderState& L = line.in.loader;
    Program& P = line.in.program;
    if (!line.T.empty() && L.inClass && L.outsideFunctionBody) FailLoad(line, kMsgClassLevel, line.source);
    if (line.T == "enddef") L.outsideFunctionBody = true;
    P.addEntry(line.T, bracket, call);
}

void ListStr(Interp& in, std::string& source) {
    NormalLine normal = Normalise(in, source);
    LoadLine line{in, source, std::move(normal.text)};
    const std::string& T = line.T;
    const bool marked = CharAt(T, 0) == kMarker;
    if (IsModuleImport(line)) return EmptyEntry(in);
    if (StartsWith(T, "#import")) return LoadFileImport(line);
    if (T == ":") FailLoad(line, kMsgLoneColon, source);
    if (StartsWith(T, ":")) LoadLabel(line);
    else if (StartsWith(T, "class:")) return LoadClass(line), EmptyEntry(in);
    else if (T == "endclass") return LoadEndClass(line), EmptyEntry(in);
    else if (marked && CharAt(T, 1) == '~') CheckNew(line);
    else if (marked && CharAt(T, 1) == '$') CheckVariableLine(line);
    else if (StartsWith(T, "cmp")) LoadCmp(line);
    else if (StartsWith(T, "elcmp")) LoadElCmp(line);
    else if (T == "end" || T == "loop") LoadBlockEnd(line);
    else if (T == "break" || T == "continue") LoadBreak(line);
    else if (StartsWith(T, "def:")) LoadDef(line);
    else if (T == "enddef") LoadEndDef(line);
    else if (StartsWith(T, "return")) LoadReturn(line);
    else if (StartsWith(T, "goto")) LoadGoTo(line);
    StoreEntry(line, normal.bracket, normal.call);
}

}  // namespace ml

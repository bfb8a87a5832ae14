// Imports, classes, functions, labels and `GoTo`: the lines the loader records in
// its tables and rewrites so that run-time lookups are plain comparisons.
#include <memory>
#include <string>
#include <string_view>

#include "core/markers.h"
#include "core/strings.h"
#include "loader/loader_messages.h"
#include "core/errors.h"
#include "core/limits.h"
#include "loader/loader.h"
#include "loader/statements.h"

namespace ml {

namespace {

// Labels outside functions share this scope; the n-th function loaded has 100 + n.
constexpr int kMainScope = 100;

constexpr std::string_view kModuleImports[kModuleCount] = {
    "#import<lib>",  "#import<dos>",  "#import<string>", "#import<time>",
    "#import<math>", "#import<file>", "#import<desk>"};



int LabelScope(const LoaderState& L) {
    return L.inFunction() ? kMainScope + static_cast<int>(L.functionCount()) : kMainScope;
}

// Whether an earlier entry of the list stores the same text as the last one.
bool RepeatsEarlier(const Program& P, const std::vector<int>& entries, const std::string& text) {
    for (std::size_t i = 0; i + 1 < entries.size(); ++i)
        if (P.text(entries[i]) == text) return true;
    return false;
}

}  // namespace

namespace {

// `#Import <module>`: the module's names may then be called without its prefix.
bool IsModuleImport(LoadLine& line) {
    for (int m = 0; m < kModuleCount; ++m) {
        if (std::string_view(line.normal) == kModuleImports[m]) {
            line.in.loader.moduleImported[static_cast<std::size_t>(m)] = true;
            return true;
        }
    }
    return false;
}

// `#Import "file"`: the file's lines are loaded in place of this one.
void LoadFileImport(LoadLine& line) {
    const std::string& normal = line.normal;
    const std::size_t n = normal.size();
    bool quotedStart = CharAt(normal, 7) == kMarker || CharAt(normal, 8) == '"';
    bool quotedEnd = CharAt(normal, n - 1) == '"' || (n >= 2 && normal[n - 2] == kMarker);
    if (!quotedStart || !quotedEnd) FailSymbol(line.in, line.source);
    std::string name = n > 11 ? normal.substr(9, n - 11) : std::string();
    LoaderState& L = line.in.loader;
    if (L.importDepth >= kMaxImportDepth) FailLoad(line, kMsgImportTooDeep, line.source);
    // Only a plain file is a script: a folder holds no lines, and a device or a pipe
    // may never end.
    Files& files = line.in.platform.files;
    const std::unique_ptr<File> file = files.isPlainFile(name) ? files.open(name, FileMode::ReadText) : nullptr;
    if (!file) FailLoad(line, kMsgNoImportFile, line.source);
    ++L.importDepth;
    LoadImportedStream(line.in, *file, name);
    --L.importDepth;
}

}  // namespace

void LoadImport(LoadLine& line) {
    if (IsModuleImport(line)) EmptyEntry(line.in);
    else LoadFileImport(line);
}

void LoadClass(LoadLine& line) {
    LoaderState& L = line.in.loader;
    if (L.inClass) FailLoad(line, kMsgClassOpen, kErrNoEndClass);
    if (L.openCmpCount != 0) FailLoad(line, kMsgClass, kErrClassInCmp);
    if (L.openFunctions != 0) FailLoad(line, kMsgClass, kErrClassInDef);
    std::string name = line.normal.substr(6);
    if (name.empty() || !IsPlainName(name)) FailLoad(line, kMsgClassName, line.source);
    for (const std::string& earlier : L.classNames)
        if (earlier == name) FailSameName(line);
    L.classNames.push_back(std::move(name));
    L.inClass = true;
    L.classEntry = line.in.program.entryCount;
}

void LoadEndClass(LoadLine& line) {
    LoaderState& L = line.in.loader;
    if (!L.inClass) FailLoad(line, kMsgEndClassAlone, kErrNoClass);
    if (L.openCmpCount != 0) FailLoad(line, kMsgEndClass, kErrEndClassInCmp);
    if (L.openFunctions != 0) FailLoad(line, kMsgEndClass, kErrEndClassInDef);
    L.inClass = false;
}

// `~Alias(Class).new`: the alias must be a plain name and the class given.
void CheckNew(LoadLine& line) {
    const std::string& normal = line.normal;
    if (!EndsWith(normal, ").new")) return;
    if (CountOfByte(normal, '(') != 1) FailSymbol(line.in, line.source);
    std::string_view alias = std::string_view(normal).substr(2, normal.find('(') - 2);
    if (CharAt(normal, 2) == '(' || Contains(normal, "()") || !IsPlainName(alias)) FailLoad(line, kMsgClassName, line.source);
}

void LoadDef(LoadLine& line) {
    LoaderState& L = line.in.loader;
    std::string& normal = line.normal;
    ++L.openFunctions;
    if (L.openCmpCount != 0) FailLoad(line, kMsgDef, kErrDefInCmp);
    if (L.openFunctions == 2) FailLoad(line, kMsgDefOpen, kErrNoEndDef);
    if (CountOfByte(normal, '(') != 1 || normal.back() != ')') FailSymbol(line.in, line.source);
    std::string_view name = std::string_view(normal).substr(4, normal.find('(') - 4);
    if (CharAt(normal, 4) == '(' || !IsPlainName(name)) FailLoad(line, kMsgFunctionName, line.source);
    if (Contains(normal, "(,") || Contains(normal, ",,") || Contains(normal, ",)")) FailLoad(line, kMsgEmptyParameter, line.source);
    if (L.inClass) normal.insert(4, L.classNames.back() + ".");
    L.defEntry.push_back(line.in.program.entryCount);
    L.endDefEntry.push_back(0);
    if (RepeatsEarlier(line.in.program, L.defEntry, normal)) FailSameName(line);
    L.openFunctionEntry = line.in.program.entryCount;
    L.outsideFunctionBody = false;
}

void LoadEndDef(LoadLine& line) {
    LoaderState& L = line.in.loader;
    if (L.openCmpCount != 0) FailLoad(line, kMsgEndDef, kErrEndDefInCmp);
    if (L.openFunctions == 0) FailLoad(line, kMsgEndDefAlone, kErrNoDef);
    L.endDefEntry.back() = line.in.program.entryCount;
    --L.openFunctions;
}

void LoadReturn(LoadLine& line) {
    if (!line.in.loader.inFunction()) FailLoad(line, kMsgReturnAlone, line.source);
    line.normal.insert(6, " ");
}

void LoadLabel(LoadLine& line) {
    if (line.normal == ":") FailLoad(line, kMsgLoneColon, line.source);
    LoaderState& L = line.in.loader;
    L.labels.push_back(line.in.program.entryCount);
    line.normal.insert(1, std::to_string(LabelScope(L)));
    if (RepeatsEarlier(line.in.program, L.labels, line.normal)) FailSameName(line);
}

void LoadGoTo(LoadLine& line) {
    if (line.normal == "goto") FailLoad(line, kMsgNoLabel, line.source);
    if (!IsPlainName(std::string_view(line.normal).substr(4))) FailLoad(line, kMsgLabelName, line.source);
    line.normal.insert(4, " " + std::to_string(LabelScope(line.in.loader)));
}

}  // namespace ml

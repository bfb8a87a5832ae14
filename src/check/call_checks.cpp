#include "check/call_checks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "check/source_text.h"
#include "core/strings.h"
#include "engine/call_dispatch.h"
#include "engine/call_text.h"
#include "engine/functions.h"
#include "engine/modules.h"

namespace ml {

namespace {

int ArgumentCount(std::string_view arguments) {
    if (SkipBlanks(arguments, 0) == arguments.size()) return 0;
    return static_cast<int>(SplitArguments(arguments).size());
}

std::string CountWords(ArgCount args) {
    const std::string least = std::to_string(args.least);
    if (args.least != args.most) return least + " to " + std::to_string(args.most) + " arguments";
    return least + (args.least == 1 ? " argument" : " arguments");
}

// The module whose prefix a name carries, if any.
const ModuleDef* ModuleOfPrefix(std::string_view name) {
    for (const ModuleDef& module : Modules())
        if (!module.prefix.empty() && name.starts_with(module.prefix)) return &module;
    return nullptr;
}

// The module that has a short name but is not imported, so the name reaches nothing.
const ModuleDef* ModuleToImport(std::string_view name) {
    for (const ModuleDef& module : Modules()) {
        if (!module.import) continue;
        for (const Builtin& fn : module.functions)
            if (fn.name.size() == module.prefix.size() + name.size() && fn.name.ends_with(name) &&
                fn.name.starts_with(module.prefix))
                return &module;
    }
    return nullptr;
}

// Edits that turn one name into the other, each a byte added, dropped or changed.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The built-in function whose full name is nearest a misspelt name: within two edits,
// and fewer than half its length, so a short name is not matched to anything at all.
std::string NearestName(std::string_view name) {
    std::string nearest;
    std::size_t best = std::min<std::size_t>(3, (name.size() + 1) / 2);
    for (const ModuleDef& module : Modules()) {
        for (const Builtin& fn : module.functions) {
            const std::string_view shortName = fn.name.substr(module.prefix.size());
            const std::size_t distance =
                std::min(EditDistance(name, fn.name), EditDistance(name, shortName));
            if (distance < best) {
                best = distance;
                nearest = std::string(fn.name);
            }
        }
    }
    return nearest;
}

std::string UnknownNameText(std::string_view name) {
    const std::string fails = "the line fails with \"Can not find: ~" + std::string(name) + " -> Def: " +
                              std::string(name) + "\"";
    if (const ModuleDef* module = ModuleToImport(name)) {
        const std::string_view moduleName = module->prefix.substr(0, module->prefix.size() - 1);
        return fails + "; ~" + std::string(name) + " is in the " + std::string(moduleName) + " module: add #Import <" +
               std::string(moduleName) + ">";
    }
    const std::string nearest = NearestName(name);
    return nearest.empty() ? fails + "; no module or function of the script has that name"
                           : fails + "; did you mean ~" + nearest + "?";
}

void CheckCall(Interp& in, const SourcePiece& piece, std::string_view code, const CallText& call,
               Findings& findings) {
    const std::string name = AsciiLower(std::string(code.substr(call.name.from, call.name.length)));
    // `~Alias(Class).new` binds an object; its alias is no function.
    if (name.empty() || AsciiLower(std::string(code.substr(call.end, 4))) == ".new") return;
    if (const Builtin* fn = BuiltinOf(in, name)) {
        const int count = ArgumentCount(code.substr(call.arguments.from, call.arguments.length));
        if (count >= fn->args.least && count <= fn->args.most) return;
        Warn(findings, piece, call.name.from - 1, FindingCode::ArgumentCount,
             "~" + name + " takes " + CountWords(fn->args) + ", not " + std::to_string(count) +
                 "; the line fails when it runs");
        return;
    }
    // A dotted name that carries no module's prefix may be an object's, bound as it runs.
    if (DefinesFunction(in, name) || (name.find('.') != std::string::npos && !ModuleOfPrefix(name))) return;
    Warn(findings, piece, call.name.from - 1, FindingCode::UnknownFunction, UnknownNameText(name));
}

}  // namespace

void CheckCalls(Interp& in, const SourcePiece& piece, std::string_view code, Findings& findings) {
    for (const CallText& call : CallsOf(code)) CheckCall(in, piece, code, call, findings);
}

}  // namespace ml

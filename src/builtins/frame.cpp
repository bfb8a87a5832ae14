#include "builtins/frame.h"

#include <optional>

#include "builtins/modules.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "engine/functions.h"
#include "core/messages.h"
#include "expr/expression.h"
#include "core/errors.h"
#include "interop/interop.h"

namespace ml {

namespace {

constexpr std::string_view kCallMarker = "\x07~";
inline constexpr MsgPair kMsgNoFullSymbol{"No full symbol: ()", "沒有充分的符號: ()"};
inline constexpr MsgPair kMsgEmptyArgument{"Not joined parameter definition", "沒有加入參數的定義"};

[[noreturn]] void failOnLine(Interp& in, std::string message) {
    Fail(in, message);
}

void storeArgument(Interp& in, std::string& scratch) {
    if (scratch.empty()) failOnLine(in, Say(in, kMsgEmptyArgument));
    ArgSlots& A = in.args;
    std::string value = CodeCount(in, scratch);
    if (A.slots.size() <= static_cast<std::size_t>(A.count)) A.slots.emplace_back();
    A.slots[static_cast<std::size_t>(A.count++)] = std::move(value);
    scratch.clear();
}

// Splits the argument text at top-level commas and evaluates each argument.
void evaluateArguments(Interp& in, std::string_view text) {
    in.args.count = 0;
    if (text.empty()) return;
    std::string scratch;
    int depth = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size()) {
            storeArgument(in, scratch);
            break;
        }
        char c = text[i];
        depth += c == '(';
        depth -= c == ')';
        if (c == ',' && depth == 0) {
            storeArgument(in, scratch);
        } else if (c == '"') {
            std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) close = text.size() - 1;
            scratch.append(text, i, close - i + 1);
            i = close;
        } else {
            scratch += c;
        }
    }
}

// Tries one module's step; gives the new line when one of its functions took the call.
std::optional<std::string> tryModule(Interp& in, const ModuleDef& module, std::string_view name,
                                     std::string_view line) {
    const bool imported = in.loader.moduleImported[static_cast<std::size_t>(module.flag)];
    std::string full = imported && !StartsWith(name, module.prefix) ? std::string(module.prefix) + std::string(name)
                                                                    : std::string(name);
    for (const Builtin& fn : module.functions) {
        if (fn.name != full) continue;
        if (fn.before) fn.before(in);
        std::string cut;
        const std::size_t r = dJ(line, cut);
        if (in.args.count != fn.argc) Error_Bug(in, fn.argc, full);
        const bool statement = r == 1;
        if (fn.givesValue == statement) YesNo_Return(in, fn.givesValue, full);
        UnprotectArguments(in);
        std::string result = fn.run(in);
        cut.insert(r - 1, fn.givesValue ? result : std::string("(null)"));
        return cut;
    }
    return std::nullopt;
}

}  // namespace

void UnprotectArguments(Interp& in) {
    for (int i = 0; i < in.args.count; ++i) UnprotectData(in.args.slots[static_cast<std::size_t>(i)]);
}

const std::string& Arg(Interp& in, int i) { return in.args.slots[static_cast<std::size_t>(i - 1)]; }

CallSpan LocateCall(std::string_view line, std::size_t marker) {
    CallSpan span{marker, marker, false};
    int depth = 0;
    for (std::size_t i = marker + 2; i < line.size() && depth >= 0; ++i) {
        if (line[i] == kMarker && CharAt(line, i + 1) == '"') {
            // Parentheses inside a string literal do not count.
            std::size_t close = line.find('"', i + 2);
            if (close == std::string_view::npos) return span;
            i = close;
            continue;
        }
        depth += line[i] == '(';
        depth -= line[i] == ')';
        if (line[i] == ')' && depth == 0) {
            span.end = i + 1;
            span.complete = true;
            return span;
        }
    }
    return span;
}

std::size_t dJ(std::string_view line, std::string& cut) {
    const std::size_t marker = line.rfind(kCallMarker);
    CallSpan span = LocateCall(line, marker);
    const std::size_t end = span.complete ? span.end : line.size();
    cut.assign(line.substr(0, marker));
    cut.append(line.substr(end));
    return marker + 1;
}

void Error_Bug(Interp& in, int expected, std::string_view name) {
    failOnLine(in, "~" + std::string(name) + Say(in, kMsgSeveralParameters) + std::to_string(expected));
}

void YesNo_Return(Interp& in, bool needsValue, std::string_view name) {
    failOnLine(in, Say(in, needsValue ? kMsgNeedReturn : kMsgProhibitReturn) + "~" + std::string(name));
}

std::string def(Interp& in, const std::string& line) {
    CallState& C = in.calls;
    C.callingLine[static_cast<std::size_t>(C.callDepth)] = line;
    C.callingEntry[static_cast<std::size_t>(C.callDepth)] = in.exec.pc;

    const std::size_t marker = line.rfind(kCallMarker);
    CallSpan span = LocateCall(line, marker);
    if (!span.complete) failOnLine(in, Say(in, kMsgNoFullSymbol));
    std::string_view call = std::string_view(line).substr(marker + 2, span.end - marker - 2);
    const std::size_t open = call.find('(');
    std::string_view name = call.substr(0, open);
    std::string_view arguments = CharAt(call, open + 1) == ')' ? std::string_view() : call.substr(open + 1, call.size() - open - 2);
    evaluateArguments(in, arguments);

    if (auto result = InteropStep(in, name, line)) return *result;
    for (const ModuleDef& module : Modules()) {
        const bool imported = in.loader.moduleImported[static_cast<std::size_t>(module.flag)];
        if (!StartsWith(name, module.prefix) && !imported) continue;
        if (module.enter) module.enter(in);
        if (auto result = tryModule(in, module, name, line)) return *result;
    }
    return StartUserCall(in, name, line);
}

}  // namespace ml

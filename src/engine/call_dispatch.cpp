// How a call is dispatched: the innermost call of the line is located, its arguments
// are evaluated into the argument slots, and its name is matched against each module
// in turn (native calls first) and then against the script's own functions. The
// call's result is put back where the call stood. The text path and the decoded path
// both call through Call, so a call's rules are written once.
#include "engine/call_dispatch.h"

#include <bit>
#include <utility>

#include "core/errors.h"
#include "core/markers.h"
#include "core/messages.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "engine/call_text.h"
#include "engine/functions.h"
#include "engine/modules.h"
#include "engine/user_call.h"
#include "expr/decoded_expression.h"
#include "expr/expression.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgNoFullSymbol{"No full symbol: ()", "沒有充分的符號: ()"};

void ClearArguments(ArgSlots& args) {
    args.count = 0;
    args.plain = 0;
    args.numbered = 0;
}

// The next argument slot, its room kept from earlier calls.
std::string& NextArgument(Interp& in) {
    ArgSlots& A = in.args;
    if (A.slots.size() <= static_cast<std::size_t>(A.count)) {
        A.slots.emplace_back();
        A.numbers.emplace_back();
    }
    return A.slots[static_cast<std::size_t>(A.count++)];
}

// Evaluates each argument into the argument slots, in order.
void EvaluateArguments(Interp& in, std::string_view text) {
    ClearArguments(in.args);
    for (const ArgumentSpan& piece : SplitArguments(text)) {
        if (piece.length == 0) Fail(in, Say(in, kMsgEmptyParameter));
        NextArgument(in) = ExpressionValue(in, text.substr(piece.from, piece.length));
    }
}

bool IsImported(const Interp& in, const ModuleDef& module) {
    return !module.import || in.loader.moduleImported[static_cast<std::size_t>(*module.import)];
}

// The count a function takes as its reports write it: "2", or "3 ~ 13".
std::string CountText(ArgCount args) {
    const std::string least = std::to_string(args.least);
    return args.least == args.most || args.reportsLeast ? least : least + " ~ " + std::to_string(args.most);
}

// The count and the position of a call, checked against the function's entry.
void CheckCall(Interp& in, const Builtin& fn, std::string_view name, bool statement) {
    auto shown = [&] { return "~" + std::string(fn.shownName.empty() ? name : fn.shownName); };
    if (in.args.count < fn.args.least || in.args.count > fn.args.most)
        Fail(in, shown() + Say(in, kMsgSeveralParameters) + CountText(fn.args));
    if (fn.use == Use::Value && statement) Fail(in, Say(in, kMsgNeedReturn) + shown());
    if (fn.use == Use::Statement && !statement) Fail(in, Say(in, kMsgProhibitReturn) + shown());
}

// The arguments reach a built-in function as the bytes they stand for: data
// backslashes lose their marks (user functions keep them, as variables do).
void UnprotectArguments(Interp& in) {
    for (int i = 0; i < in.args.count; ++i)
        if (i >= 64 || !(in.args.plain >> i & 1)) UnprotectData(in.args.slots[static_cast<std::size_t>(i)]);
}

// Whether the dispatcher tries a module for a name.
bool Tries(const Interp& in, const ModuleDef& module, std::string_view name) {
    return StartsWith(name, module.prefix) || IsImported(in, module);
}

// The function of a module that a name reaches, if any: the name as it stands where
// the module is not imported or the name carries its prefix, else the prefix added.
// A short name that gives way reaches nothing where the script has its own function.
const Builtin* FindInModule(const Interp& in, const ModuleDef& module, std::string_view name) {
    const bool prefixed = !IsImported(in, module) || StartsWith(name, module.prefix);
    const std::string_view prefix = prefixed ? std::string_view() : module.prefix;
    for (const Builtin& fn : module.functions)
        if (fn.name.size() == prefix.size() + name.size() && StartsWith(fn.name, prefix) && EndsWith(fn.name, name))
            return !prefixed && fn.givesWay && DefinesFunction(in, name) ? nullptr : &fn;
    return nullptr;
}

// Where a name's calls go, and the modules a call enters on the way, found once per
// name: imports are fixed once the script is loaded, so neither changes during a run.
const CallTarget& FindTarget(Interp& in, std::string_view name) {
    auto& targets = in.calls.targets;
    if (auto found = targets.find(name); found != targets.end()) return found->second;
    const auto modules = Modules();
    CallTarget target{static_cast<int>(modules.size()), nullptr};
    for (std::size_t i = 0; i < modules.size() && target.builtin == nullptr; ++i) {
        if (!Tries(in, modules[i], name)) continue;
        target = {static_cast<int>(i), FindInModule(in, modules[i], name)};
    }
    if (target.builtin == nullptr) target.module = static_cast<int>(modules.size());
    for (std::size_t i = 0; i < modules.size() && static_cast<int>(i) <= target.module; ++i)
        if (modules[i].enter && Tries(in, modules[i], name)) target.entered |= 1u << i;
    return targets.emplace(std::string(name), target).first->second;
}

// Runs the built-in function that takes a call; gives its result as its line reads
// it: whatever a function gives is data, never part of the script. A call that passed
// its checks once passes them again (its count and position are its text's), so a
// decoded call is checked once.
std::string CallBuiltin(Interp& in, const Builtin& fn, bool statement, bool check) {
    if (fn.before) fn.before(in);
    if (check) CheckCall(in, fn, fn.name, statement);
    UnprotectArguments(in);
    in.calls.runningBuiltin = fn.shownName.empty() ? fn.name : fn.shownName;
    std::string result = fn.run(in);
    PutDataInLine(result, fn.reading);
    return result;
}

// Every module tried up to the one that takes the call is entered, in order.
void EnterModules(Interp& in, const CallTarget& target) {
    const auto modules = Modules();
    for (std::uint32_t left = target.entered; left != 0; left &= left - 1)
        modules[static_cast<std::size_t>(std::countr_zero(left))].enter(in);
}

// Room for a decoded call's arguments, kept from earlier calls; gives their count.
std::size_t ArgumentsFor(Interp& in, const DecodedCall& call) {
    ArgSlots& A = in.args;
    ClearArguments(A);
    const std::size_t count = call.arguments.size();
    if (A.slots.size() < count) {
        A.slots.resize(count);
        A.numbers.resize(count);
    }
    A.count = static_cast<int>(count);
    return count;
}

// The decoded arguments of a built-in function, each with whether it is known to
// hold no marker byte.
void EvaluateDecodedArguments(Interp& in, DecodedCall& call) {
    const std::size_t count = ArgumentsFor(in, call);
    ArgSlots& A = in.args;
    for (std::size_t k = 0; k < count; ++k) {
        const bool plain = DecodedValueInto(in, call.arguments[k].expression, {}, A.slots[k]);
        if (plain && k < 64) A.plain |= std::uint64_t{1} << k;
    }
}

// The decoded arguments of a user function, each with the number it reads as where
// that is known at once: its parameter then needs neither to read it nor to write
// a number's text.
void EvaluateNumberedArguments(Interp& in, DecodedCall& call) {
    const std::size_t count = ArgumentsFor(in, call);
    ArgSlots& A = in.args;
    for (std::size_t k = 0; k < count; ++k) {
        if (DecodedValueAndNumber(in, call.arguments[k].expression, A.slots[k], A.numbers[k]) && k < 64)
            A.numbered |= std::uint64_t{1} << k;
    }
}

// The one definition of a call, for both paths. evaluate(userFunction) fills the
// argument slots; every module tried on the way is entered; then a user function
// starts, or the built-in function runs, its count and position checked unless
// checked says the call passed them before. Gives what RunDecodedCall gives.
template <class Evaluate>
std::string Call(Interp& in, const CallSite& site, const CallTarget& target, Evaluate evaluate, bool& checked,
                 CallOutcome& outcome) {
    const bool statement = site.marker == 0;
    // A call that is the whole line, or a user function's call in value position,
    // leaves nothing after its "(null)".
    const bool leavesNothing = !statement || site.end == site.line.size();
    outcome = leavesNothing ? CallOutcome::Done : CallOutcome::Line;
    const bool userFunction = target.builtin == nullptr;
    evaluate(userFunction);
    EnterModules(in, target);
    if (userFunction) {
        StartUserCall(in, site);
    } else {
        // A call that fails its checks ends the run, so it is marked checked before it
        // runs; its value is then made where the caller keeps it.
        const bool check = !checked;
        checked = true;
        if (!statement) {
            outcome = CallOutcome::Value;
            return CallBuiltin(in, *target.builtin, false, check);
        }
        CallBuiltin(in, *target.builtin, true, check);
    }
    // Only a call in statement position hands on the rest of its line.
    return leavesNothing ? std::string() : PutBack(site.line, 0, site.end, "(null)");
}

}  // namespace

std::string RunInnermostCall(Interp& in, const std::string& line) {
    const std::size_t marker = line.rfind(kCallMarker);
    CallSpan span = LocateCall(line, marker);
    if (!span.complete) Fail(in, Say(in, kMsgNoFullSymbol));
    const auto [name, arguments] = NameAndArguments(line, marker, span.end);
    const CallTarget& target = FindTarget(in, name);
    // Only a user function's `Return` asks whether the line is its entry's own text.
    const bool entryText = target.builtin == nullptr && line == in.program.text(in.exec.pc);
    const CallSite site{line, marker, span.end, name, entryText};
    const std::string_view argumentText = arguments;
    bool checked = false;
    CallOutcome outcome;
    std::string result = Call(in, site, target, [&](bool) { EvaluateArguments(in, argumentText); }, checked, outcome);
    if (outcome == CallOutcome::Value) return PutBack(line, marker, span.end, result);
    return outcome == CallOutcome::Done ? std::string("(null)") : result;
}

std::string RunDecodedCall(Interp& in, DecodedCall& call, CallOutcome& outcome) {
    const std::string& line = in.exec.current;
    const std::string_view name = std::string_view(line).substr(call.marker + 2u, call.nameLength);
    // Where a name's calls go depends on neither the arguments nor their evaluation.
    if (call.target == nullptr) call.target = &FindTarget(in, name);
    const CallSite site{line, call.marker, call.end, name, true};
    auto evaluate = [&](bool userFunction) {
        if (userFunction) EvaluateNumberedArguments(in, call);
        else EvaluateDecodedArguments(in, call);
    };
    return Call(in, site, *call.target, evaluate, call.checked, outcome);
}

const Builtin* BuiltinOf(Interp& in, std::string_view name) { return FindTarget(in, name).builtin; }

}  // namespace ml

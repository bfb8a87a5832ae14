#include "engine/user_call.h"

#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/messages.h"
#include "core/strings.h"
#include "core/value_text.h"
#include "core/variables.h"
#include "engine/call_text.h"
#include "engine/entry_decoder.h"
#include "engine/left_line.h"
#include "engine/functions.h"
#include "expr/decoded_expression.h"
#include "expr/expression.h"

namespace ml {

namespace {

// Gives parameter k the value of argument slot k, and its number where the argument
// came with one.
void BindParameter(Interp& in, std::uint16_t slot, std::size_t k) {
    const ArgSlots& A = in.args;
    if (k < 64 && (A.numbered >> k & 1)) {
        const ValueNumber& number = A.numbers[k];
        if (!(number.state & ValueNumber::kTextDue)) CopyText(in.vars.values[slot], A.slots[k]);
        in.vars.numbers[slot] = number;
        return;
    }
    SetValue(in, slot, k < A.slots.size() ? A.slots[k] : std::string());
}

// Binds the argument slots to the parameters of the `Def:` line, keeping their slots.
void BindParameters(Interp& in, const std::string& defText, std::vector<std::uint16_t>& slots) {
    const std::size_t open = defText.find('('), close = defText.rfind(')');
    std::string_view list = std::string_view(defText).substr(open + 1, close - open - 1);
    slots.clear();
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view parameter = list.substr(0, comma);
        if (!IsParameterName(parameter))
            Fail(in, Say(in, kMsgParameter) + std::string(parameter), defText);
        slots.push_back(VariableSlot(in, parameter));
        BindParameter(in, slots.back(), slots.size() - 1);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
}

// Finds the function and binds its parameters, from what the frame's last call found
// where that still holds; gives the function's index.
std::size_t EnterFunction(Interp& in, std::string_view name, int callingEntry, CallFrame& frame) {
    FrameBinding& binding = frame.binding;
    const std::size_t objectCount = in.calls.objects.size();
    if (binding.found && binding.stamp == frame.stamp && binding.objectCount == objectCount) {
        in.exec.pc = in.loader.defEntry[binding.function];
        for (std::size_t k = 0; k < binding.parameterSlots.size(); ++k) BindParameter(in, binding.parameterSlots[k], k);
        return binding.function;
    }
    binding.found = false;
    const std::size_t function = FindFunction(in, name, callingEntry);
    in.exec.pc = in.loader.defEntry[function];
    BindParameters(in, in.program.text(in.exec.pc), binding.parameterSlots);
    binding.found = true;
    binding.stamp = frame.stamp;
    binding.objectCount = objectCount;
    binding.function = function;
    return function;
}

// The called function's frame keeps its caller for `Return` and `End Def`.
void RememberCaller(CallFrame& frame, const CallSite& site, int callingEntry) {
    frame.callingEntry = callingEntry;
    frame.callingLine = site.line;
    frame.callMarker = site.marker;
    frame.callEnd = site.end;
    frame.callingLineUnchanged = site.entryText;
}

}  // namespace

void StartUserCall(Interp& in, const CallSite& site) {
    CallState& C = in.calls;
    const int callingEntry = in.exec.pc;
    if (C.callDepth == kMaxCallDepth) FailAt(callingEntry, Say(in, kMsgCallsTooDeep), in.program.text(callingEntry));
    CallFrame& frame = C.enterFrame();
    RememberCaller(frame, site, callingEntry);
    // A new name at this depth makes new keys for its locals, so the slots found for
    // the old name no longer hold.
    if (frame.calledName != site.name) {
        frame.calledName = site.name;
        frame.stamp = ++C.lastFrameStamp;
    }
    const std::size_t function = EnterFunction(in, site.name, callingEntry, frame);
    const std::size_t k = frame.binding.parameterSlots.size();
    if (k != static_cast<std::size_t>(in.args.count)) {
        std::string message = in.program.text(in.loader.defEntry[function]) + Say(in, kMsgSeveralParameters) + std::to_string(k);
        FailAt(callingEntry, message, in.program.text(callingEntry));
    }
}

void EndDefStatement(Interp& in) {
    CallState& C = in.calls;
    const CallFrame& frame = C.runningFrame();
    C.leaveFrame();
    in.exec.pc = frame.callingEntry;
    if (frame.callMarker != 0)
        FailAt(frame.callingEntry, Say(in, kMsgProhibitReturn) + "~" + frame.calledName, frame.callingLine);
    ++in.exec.pc;
}

std::string PutBack(std::string_view line, std::size_t marker, std::size_t end, std::string_view value) {
    std::string cut(line.substr(0, marker));
    cut += value;
    cut += line.substr(end);
    return cut;
}

namespace {

// The decoded line the call at the program counter leaves, if there is one.
DecodedEntry* LeftLineHere(Interp& in) {
    const auto& entries = in.decoded.entries;
    const auto pc = static_cast<std::size_t>(in.exec.pc);
    return pc < entries.size() && entries[pc] ? entries[pc]->leaves.get() : nullptr;
}

// A whole number below 10^15 that a user function returned, where the line stores
// it as it stands (`$x = ~F()`): stored without making its text.
bool ContinueCallWithWhole(Interp& in, double number) {
    DecodedEntry* left = LeftLineHere(in);
    if (left == nullptr || !left->storesResultAlone) return false;
    CountLeftLine(in);
    RunWholeAssignment(in, *left, number);
    return true;
}

// `Return`: the caller must use the value; evaluate gives it from the expression,
// in the function's own frame.
template <class Evaluate>
void Return(Interp& in, Evaluate evaluate) {
    CallState& C = in.calls;
    CallFrame& frame = C.runningFrame();
    if (frame.callMarker == 0) Fail(in, Say(in, kMsgNeedReturn) + "~" + frame.calledName, frame.callingLine);
    ReturnedValue& value = frame.result;
    evaluate(value);
    C.leaveFrame();
    in.exec.pc = frame.callingEntry;
    const bool unchanged = frame.callingLineUnchanged;
    if (value.whole) {
        if (unchanged && ContinueCallWithWhole(in, value.number)) return;
        value.text = NumberText(value.number);
    }
    value.text = ValueInLine(std::move(value.text));
    if (unchanged && RunLeftLine(in, LeftLineHere(in), value.text)) return;
    in.exec.current = PutBack(frame.callingLine, frame.callMarker, frame.callEnd, value.text);
    in.exec.rerun = true;
}

}  // namespace

void ReturnStatement(Interp& in) {
    Return(in, [&](ReturnedValue& value) {
        value.text = ExpressionValue(in, ReturnExpression(in.exec.current));
        value.whole = false;
    });
}

void ReturnDecoded(Interp& in, DecodedEntry& decoded) {
    Return(in, [&](ReturnedValue& value) {
        value.whole = DecodedWholeOrValue(in, decoded.sides[0], value.text, value.number);
    });
}

}  // namespace ml

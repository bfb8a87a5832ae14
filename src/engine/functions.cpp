#include "core/markers.h"
#include "engine/functions.h"

#include <algorithm>
#include <vector>

#include "engine/call_dispatch.h"
#include "core/strings.h"
#include "core/messages.h"
#include "core/variables.h"
#include "engine/executor.h"
#include "expr/decoded_expression.h"
#include "expr/expression.h"
#include "core/errors.h"
#include "core/value_text.h"

namespace ml {

namespace {

// As many objects as a program has lines: one entry per alias can never need more,
// yet the table is bounded whatever a script does.
inline constexpr std::size_t kMaxObjects = kMaxEntries;
inline constexpr MsgPair kMsgObjectsFull{"Object table is full: ", "物件表已滿: "};
// What a `Return` entry starts with, up to its expression.
constexpr std::string_view kReturnWord = "return ";

std::size_t DepthIndex(int depth) { return static_cast<std::size_t>(depth); }

// The key of the `Def:` line a call name reaches: an object alias is routed to its class.
std::string DefKey(const CallState& C, std::string_view name) {
    for (const auto& [alias, cls] : C.objects)
        if (StartsWith(name, alias)) return "def:" + cls + std::string(name.substr(name.find('.'))) + "(";
    return "def:" + std::string(name) + "(";
}

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
        if (!IsEN_Def(parameter))
            Fail(in, Say(in, kMsgParameter) + std::string(parameter), defText);
        slots.push_back(DimKey(in, parameter));
        BindParameter(in, slots.back(), slots.size() - 1);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
}

// The function a call name reaches, by its index; fatal where there is none.
std::size_t FindFunction(Interp& in, std::string_view name, int callingEntry) {
    const std::string key = DefKey(in.calls, name);
    const LoaderState& L = in.loader;
    std::size_t i = 0;
    while (i < L.functionCount() && !StartsWith(in.program.text(L.defEntry[i]), key)) ++i;
    if (i == L.functionCount()) {
        std::string message = Say(in, kMsgCanNotFind) + "~" + std::string(name) + " -> Def: " + std::string(name);
        FailAt(callingEntry, message, in.program.text(callingEntry));
    }
    return i;
}

// Finds the function and binds its parameters, from what the depth's last call found
// where that still holds; gives the function's index.
std::size_t EnterFunction(Interp& in, std::string_view name, int callingEntry, std::size_t frame) {
    CallState& C = in.calls;
    FrameBinding& binding = C.bindings[frame];
    if (binding.found && binding.stamp == C.frameStamps[frame] && binding.objectCount == C.objects.size()) {
        in.exec.pc = in.loader.defEntry[binding.function];
        for (std::size_t k = 0; k < binding.parameterSlots.size(); ++k) BindParameter(in, binding.parameterSlots[k], k);
        return binding.function;
    }
    binding.found = false;
    const std::size_t function = FindFunction(in, name, callingEntry);
    in.exec.pc = in.loader.defEntry[function];
    BindParameters(in, in.program.text(in.exec.pc), binding.parameterSlots);
    binding.found = true;
    binding.stamp = C.frameStamps[frame];
    binding.objectCount = C.objects.size();
    binding.function = function;
    return function;
}

// The position just after the call that starts at the line's last call marker.
std::size_t CallEnd(std::string_view line, std::size_t marker) {
    CallSpan span = LocateCall(line, marker);
    return span.complete ? span.end : line.size();
}

}  // namespace

void StartUserCall(Interp& in, std::string_view name) {
    CallState& C = in.calls;
    const int callingEntry = in.exec.pc;
    if (++C.callDepth > kMaxCallDepth) FailAt(callingEntry, Say(in, kMsgCallsTooDeep), in.program.text(callingEntry));
    const std::size_t frame = DepthIndex(C.callDepth - 1);
    if (C.calledName[frame] != name) {
        C.calledName[frame] = std::string(name);
        C.frameStamps[frame] = ++C.lastFrameStamp;
    }
    const std::size_t function = EnterFunction(in, name, callingEntry, frame);
    const std::size_t k = C.bindings[frame].parameterSlots.size();
    if (k != static_cast<std::size_t>(in.args.count)) {
        std::string message = in.program.text(in.loader.defEntry[function]) + Say(in, kMsgSeveralParameters) + std::to_string(k);
        FailAt(callingEntry, message, in.program.text(callingEntry));
    }
}

std::string UserCallLeaves(const std::string& line, std::size_t marker) {
    // Only a call in statement position hands on the rest of its line.
    if (marker != 0) return "(null)";
    std::string cut;
    dJ(line, cut);
    return "(null)" + cut;
}

void EndDefStatement(Interp& in) {
    CallState& C = in.calls;
    const std::size_t d = DepthIndex(--C.callDepth);
    in.exec.pc = C.callingEntry[d];
    const std::string& caller = C.callingLine[d];
    if (C.callingMarker[d] != 0)
        FailAt(C.callingEntry[d], Say(in, kMsgProhibitReturn) + "~" + C.calledName[d], caller);
    ++in.exec.pc;
}

namespace {

// What `Return` hands back: its value's text, or a whole number whose text is made
// only where the calling line reads it as text.
struct Returned {
    std::string text;
    bool whole = false;
    double number = 0;
};

// `Return`: the caller must use the value; evaluate gives it from the expression.
template <class Evaluate>
void Return(Interp& in, Evaluate evaluate) {
    CallState& C = in.calls;
    const std::size_t d = DepthIndex(C.callDepth - 1);
    const std::string& caller = C.callingLine[d];
    const std::size_t marker = C.callingMarker[d];
    if (marker == 0) Fail(in, Say(in, kMsgNeedReturn) + "~" + C.calledName[d], caller);
    Returned value = evaluate();
    --C.callDepth;
    in.exec.pc = C.callingEntry[d];
    // The calling entry's decoded form knows the line its call leaves, where the
    // calling line is the entry's own text (not one that an earlier call rewrote).
    const bool own = C.callingOwnText[d];
    if (value.whole) {
        if (own && ContinueCallWithWhole(in, value.number)) return;
        value.text = NumberText(value.number);
    }
    value.text = ValueInLine(std::move(value.text));
    if (own && ContinueCall(in, value.text)) return;
    in.exec.current = PutBack(caller, marker, CallEnd(caller, marker), value.text);
    in.exec.rerun = true;
}

}  // namespace

void ReturnStatement(Interp& in) {
    Return(in, [&] {
        std::string_view expression = in.exec.current;
        expression.remove_prefix(std::min<std::size_t>(expression.size(), kReturnWord.size()));
        return Returned{CodeCount(in, expression)};
    });
}

void DecodeReturn(std::string_view text, DecodedEntry& decoded) {
    decoded.kind = EntryKind::Return;
    text.remove_prefix(std::min<std::size_t>(text.size(), kReturnWord.size()));
    decoded.sides.resize(1);
    DecodeExpression(text, decoded.sides[0]);
}

void ReturnDecoded(Interp& in, DecodedEntry& decoded) {
    Return(in, [&] {
        Returned value;
        value.whole = DecodedWholeOrValue(in, decoded.sides[0], value.text, value.number);
        return value;
    });
}

bool IsNewStatement(std::string_view text) { return StartsWith(text, kCallMarker) && EndsWith(text, ").new"); }

void NewStatement(Interp& in) {
    const std::string& text = in.exec.current;
    const std::size_t open = text.find('('), close = text.rfind(')');
    const std::string cls = text.substr(open + 1, close - open - 1);
    const auto& classes = in.loader.classNames;
    if (std::find(classes.begin(), classes.end(), cls) == classes.end()) Fail(in, Say(in, kMsgNotJoinedClass) + cls);
    // The first object of an alias decides every call through it, so binding an alias
    // again changes nothing and takes no new slot: the table stays bounded.
    std::string alias = text.substr(2, open - 2) + ".";
    auto& objects = in.calls.objects;
    const bool known = std::any_of(objects.begin(), objects.end(), [&](const auto& o) { return o.first == alias; });
    if (!known && objects.size() >= kMaxObjects) Fail(in, Say(in, kMsgObjectsFull) + alias);
    if (!known) objects.emplace_back(std::move(alias), cls);
    ++in.exec.pc;
}

}  // namespace ml

#include "engine/functions.h"

#include <algorithm>
#include <string>

#include "core/errors.h"
#include "core/markers.h"
#include "core/messages.h"
#include "core/strings.h"

namespace ml {

namespace {

// As many objects as a program has lines: one entry per alias can never need more,
// yet the table is bounded whatever a script does.
inline constexpr std::size_t kMaxObjects = kMaxEntries;
inline constexpr MsgPair kMsgObjectsFull{"Object table is full: ", "物件表已滿: "};

// The key of the `Def:` line a call name reaches: an object alias is routed to its class.
std::string DefKey(const CallState& C, std::string_view name) {
    for (const auto& [alias, cls] : C.objects)
        if (StartsWith(name, alias)) return "def:" + cls + std::string(name.substr(name.find('.'))) + "(";
    return "def:" + std::string(name) + "(";
}

// The index of the function a call name reaches; the count of functions when none.
std::size_t FunctionIndex(const Interp& in, std::string_view name) {
    const std::string key = DefKey(in.calls, name);
    const LoaderState& L = in.loader;
    std::size_t i = 0;
    while (i < L.functionCount() && !StartsWith(in.program.text(L.defEntry[i]), key)) ++i;
    return i;
}

}  // namespace

bool DefinesFunction(const Interp& in, std::string_view name) {
    return FunctionIndex(in, name) < in.loader.functionCount();
}

std::size_t FindFunction(Interp& in, std::string_view name, int callingEntry) {
    const std::size_t i = FunctionIndex(in, name);
    if (i == in.loader.functionCount()) {
        std::string message = Say(in, kMsgCanNotFind) + "~" + std::string(name) + " -> Def: " + std::string(name);
        FailAt(callingEntry, message, in.program.text(callingEntry));
    }
    return i;
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

// `~DLLMsg` and `~COMMsg` as the dispatcher sees them: names reached without any
// import, tried before every module, standing as a statement or in an expression.
#include <array>

#include "interop/interop.h"

namespace ml {

namespace {

// Both calls take the target, the result type and the function or method, then 0 to
// 10 arguments of their own.
constexpr int kLeadingArgs = 3;
constexpr ArgCount kNativeArgs{kLeadingArgs, kLeadingArgs + kMaxNativeArgs};

std::span<std::string> OwnArguments(Interp& in) {
    return std::span<std::string>(in.args.slots).subspan(kLeadingArgs, static_cast<std::size_t>(in.args.count - kLeadingArgs));
}

std::string DllMsg(Interp& in) {
    std::vector<std::string>& slots = in.args.slots;
    return DllCall(in, slots[0], slots[1], slots[2], OwnArguments(in));
}

std::string ComMsg(Interp& in) {
    std::vector<std::string>& slots = in.args.slots;
    return ComCall(in, slots[0], slots[1], slots[2], OwnArguments(in));
}

constexpr std::array<Builtin, 2> kNative = {{
    {"dllmsg", kNativeArgs, Use::Either, DllMsg, nullptr, "DLLMsg"},
    {"commsg", kNativeArgs, Use::Either, ComMsg, nullptr, "COMMsg"},
}};

}  // namespace

const ModuleDef& NativeCallModule() {
    static constexpr ModuleDef module{"", std::nullopt, kNative};
    return module;
}

}  // namespace ml

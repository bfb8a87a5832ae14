#include "builtins/frame.h"
#include "core/messages.h"
#include "core/errors.h"
#include "interop/interop.h"

namespace ml {

void InteropFail(Interp& in, const std::string& message) {
    Fail(in, message);
}

// Unlike the module functions, both calls may stand as a statement or in an
// expression; as a statement the result is thrown away.
std::optional<std::string> InteropStep(Interp& in, std::string_view name, const std::string& line) {
    const bool dll = name == "dllmsg";
    if (!dll && name != "commsg") return std::nullopt;
    const int count = in.args.count;
    if (count < kInteropMinArgs || count > kInteropMaxArgs) {
        InteropFail(in, (dll ? "~DLLMsg" : "~COMMsg") + Say(in, kMsgSeveralParameters) + "3 ~ 13");
    }
    UnprotectArguments(in);
    std::string cut;
    const std::size_t r = dJ(line, cut);
    std::span<std::string> slots(in.args.slots.data(), static_cast<std::size_t>(count));
    const std::span<std::string> own = slots.subspan(kInteropMinArgs);
    std::string result = dll ? DllCall(in, slots[0], slots[1], slots[2], own)
                             : ComCall(in, slots[0], slots[1], slots[2], own);
    cut.insert(r - 1, r == 1 ? std::string("(null)") : result);
    return cut;
}

}  // namespace ml

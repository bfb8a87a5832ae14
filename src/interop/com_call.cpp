// `~COMMsg`: one method call on a freshly created automation object. The arguments
// are handed over mirrored, the last one first, as the method expects them.
#include <vector>

#include "core/strings.h"
#include "interop/interop.h"
#include "core/errors.h"
#include "interop/interop_messages.h"

namespace ml {

namespace {

// A number with a point is a real, one without an integer; anything else is text,
// and "@" makes a number a text.
ComArgument Classify(std::string& slot) {
    ComArgument argument;
    if (IsNumber(slot)) {
        const bool real = Contains(slot, ".");
        argument.kind = real ? ComArgument::Kind::Double : ComArgument::Kind::Int;
        if (real) argument.real = TextToNumber(slot);
        else argument.integer = TextToInt(slot);
        return argument;
    }
    if (StartsWith(slot, "@")) slot.erase(0, 1);
    argument.kind = ComArgument::Kind::Text;
    argument.text = slot;
    return argument;
}

}  // namespace

std::string ComCall(Interp& in, const std::string& progId, const std::string& type, const std::string& method,
                    std::span<std::string> arguments) {
    const std::size_t count = arguments.size();
    std::vector<ComArgument> mirrored(count);
    for (std::size_t i = 0; i < count; ++i) mirrored[count - 1 - i] = Classify(arguments[i]);
    const ComResult result = in.platform.com.call(progId, method, mirrored);
    if (result.status == ComResult::Status::CannotCreate) Fail(in, Say(in, kMsgComLoad) + progId);
    if (result.status == ComResult::Status::NoMethod) {
        Fail(in, Say(in, kMsgComNoMethod) + progId + " -> " + method + Say(in, kMsgComNoMethodTail));
    }
    // The method has run by now: a wrong result type is found only afterwards.
    if (type == "int") return IntText(result.integer);
    if (type == "dbl") return NumberText(result.real);
    if (type == "str") return Clip(result.text);
    Fail(in, Say(in, kMsgDataType) + type);
}

}  // namespace ml

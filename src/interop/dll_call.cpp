// `~DLLMsg`: one call of an exported function, with every argument classified as an
// integer or a pointer to text and passed in one of ten integer-sized positions.
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/strings.h"
#include "interop/interop.h"
#include "core/errors.h"
#include "core/limits.h"
#include "interop/interop_messages.h"

namespace ml {

namespace {

using TextBuffer = std::array<char, kNativeTextBytes>;

struct Positions {
    NativeArguments values{};   // unused positions stay 0
    std::array<TextBuffer, kNativePositions> texts{};
};

// A number goes as the integer its text reads as (sign-extended where positions are
// 64 bits wide); anything else as a pointer to its text. "@" makes a number a text.
std::intptr_t Classify(std::string& slot, TextBuffer& text) {
    if (IsNumber(slot)) return static_cast<std::intptr_t>(TextToInt(slot));
    if (StartsWith(slot, "@")) slot.erase(0, 1);
    std::copy_n(slot.begin(), std::min(slot.size(), kNativeTextBytes - 1), text.begin());
    return reinterpret_cast<std::intptr_t>(text.data());
}

// A null text gives the empty result; a longer one is cut to a value's length.
std::string ReadText(std::intptr_t result) {
    const char* text = reinterpret_cast<const char*>(result);
    if (!text) return {};
    std::size_t n = 0;
    while (n < kMaxText && text[n] != '\0') ++n;
    return std::string(text, n);
}

}  // namespace

std::string DllCall(Interp& in, const std::string& module, const std::string& type, const std::string& function,
                    std::span<std::string> arguments) {
    NativeLibraries& native = in.platform.native;
    std::string whyNot;
    void* library = native.load(module, whyNot);
    if (!library) Fail(in, Say(in, kMsgDllLoad) + module + Say(in, kMsgDllLoadReason) + whyNot);
    void* entry = native.find(library, function);
    if (!entry) {
        native.release(library);
        Fail(in, Say(in, kMsgDllNoFunction) + module + " -> " + function);
    }
    Positions positions;
    for (std::size_t i = 0; i < std::min(arguments.size(), kNativePositions); ++i)
        positions.values[i] = Classify(arguments[i], positions.texts[i]);
    const bool text = type == "char*";
    if (!text && type != "int") {
        native.release(library);
        Fail(in, Say(in, kMsgDataType) + type);
    }
    const std::intptr_t result = native.call(entry, positions.values);
    // A returned text may lie in the library's own data or in an argument buffer, so
    // it is copied while both still exist.
    std::string value = text ? ReadText(result) : IntText(static_cast<std::int32_t>(result));
    native.release(library);
    return value;
}

}  // namespace ml

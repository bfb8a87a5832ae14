// Calls into native libraries (`~DLLMsg`) and automation objects (`~COMMsg`).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/builtin.h"
#include "core/interp.h"

namespace ml {

// `~DLLMsg` and `~COMMsg`, tried by the dispatcher before every module.
const ModuleDef& NativeCallModule();

// At most this many arguments of a call's own reach the function or method.
inline constexpr int kMaxNativeArgs = static_cast<int>(kNativePositions);

// The call arguments are the argument slots themselves: a leading "@" of a text
// argument is removed from its slot. Both give the result text.
std::string DllCall(Interp& in, const std::string& module, const std::string& type, const std::string& function,
                    std::span<std::string> arguments);
std::string ComCall(Interp& in, const std::string& progId, const std::string& type, const std::string& method,
                    std::span<std::string> arguments);

}  // namespace ml

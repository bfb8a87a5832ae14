// Calls into native libraries (`~DLLMsg`) and automation objects (`~COMMsg`): the
// first two steps of the call dispatcher, and the calls themselves.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Both calls take the target, the result type and the function or method, then 0 to
// 10 arguments of their own.
inline constexpr int kInteropMinArgs = 3;
inline constexpr int kInteropMaxArgs = 13;

// Takes the call when its name is "dllmsg" or "commsg": checks the count, runs it and
// gives the new line (the result where the call stood, "(null)" for a statement).
std::optional<std::string> InteropStep(Interp& in, std::string_view name, const std::string& line);

// The call arguments are the argument slots themselves: a leading "@" of a text
// argument is removed from its slot. Both give the result text.
std::string DllCall(Interp& in, const std::string& module, const std::string& type, const std::string& function,
                    std::span<std::string> arguments);
std::string ComCall(Interp& in, const std::string& progId, const std::string& type, const std::string& method,
                    std::span<std::string> arguments);

// Fatal report on the current line.
[[noreturn]] void InteropFail(Interp& in, const std::string& message);

}  // namespace ml

// Native libraries through the Windows loader.
#include "platform/win32/win32_interop.h"

#include <windows.h>

#include <string>

#include "platform/win32/win32_call.h"

namespace ml {

namespace {

// The system's text for an error code, without its closing line end.
std::string SystemMessage(DWORD code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
    if (length == 0) return "error " + std::to_string(code);
    return std::string(text, length);
}

}  // namespace

void* Win32NativeLibraries::load(const std::string& module, std::string& whyNot) {
    HMODULE library = LoadLibraryA(module.c_str());
    if (library == nullptr) whyNot = SystemMessage(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* Win32NativeLibraries::find(void* library, const std::string& function) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), function.c_str()));
}

std::intptr_t Win32NativeLibraries::call(void* function, const NativeArguments& arguments) {
    return CallTenPositions(function, arguments);
}

void Win32NativeLibraries::release(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace ml

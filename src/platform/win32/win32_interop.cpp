// Native libraries through the Windows loader.
#include "platform/win32/win32_interop.h"

#include <windows.h>

#include "platform/win32/win32_call.h"

namespace ml {

void* Win32NativeLibraries::load(const std::string& module) {
    return reinterpret_cast<void*>(LoadLibraryA(module.c_str()));
}

void* Win32NativeLibraries::find(void* library, const std::string& function) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), function.c_str()));
}

std::intptr_t Win32NativeLibraries::call(void* function, const NativeArguments& arguments) {
    return CallTenPositions(function, arguments);
}

void Win32NativeLibraries::release(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace ml

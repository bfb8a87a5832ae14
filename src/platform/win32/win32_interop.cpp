// Placeholder until native calls land: nothing can be loaded or created.
#include "platform/win32/win32_interop.h"

namespace ml {

void* Win32NativeLibraries::load(const std::string&) { return nullptr; }
void* Win32NativeLibraries::find(void*, const std::string&) { return nullptr; }
std::intptr_t Win32NativeLibraries::call(void*, const std::array<std::intptr_t, 10>&) { return 0; }
void Win32NativeLibraries::release(void*) {}

ComResult Win32Com::call(const std::string&, const std::string&, const std::vector<ComArgument>&) {
    ComResult result;
    result.status = ComResult::Status::CannotCreate;
    return result;
}

}  // namespace ml

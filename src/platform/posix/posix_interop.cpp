// Native libraries through the dynamic loader. Automation objects do not exist on
// this system, so every ProgID is one that cannot be created.
#include "platform/posix/posix_interop.h"

#include <dlfcn.h>

namespace ml {

namespace {

// Every integer and pointer argument takes one integer register or stack slot, so
// one signature serves any function of up to ten such parameters.
using TenPositions = std::intptr_t (*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t);

}  // namespace

// The dynamic loader takes an empty name for the program itself, where Windows loads
// nothing; both builds report an empty name as a library that cannot be loaded.
void* PosixNativeLibraries::load(const std::string& module) {
    if (module.empty()) return nullptr;
    return dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* PosixNativeLibraries::find(void* library, const std::string& function) {
    return dlsym(library, function.c_str());
}

std::intptr_t PosixNativeLibraries::call(void* function, const NativeArguments& a) {
    const auto target = reinterpret_cast<TenPositions>(function);
    return target(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}

void PosixNativeLibraries::release(void* library) { dlclose(library); }

ComResult PosixCom::call(const std::string&, const std::string&, const std::vector<ComArgument>&) {
    ComResult result;
    result.status = ComResult::Status::CannotCreate;
    return result;
}

}  // namespace ml

// Native libraries through the dynamic loader. Automation objects do not exist on
// this system, so every ProgID is one that cannot be created.
#include "platform/posix/posix_interop.h"

#include <dlfcn.h>

#include <filesystem>

namespace ml {

namespace {

// Every integer and pointer argument takes one integer register or stack slot, so
// one signature serves any function of up to ten such parameters.
using TenPositions = std::intptr_t (*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t);

}  // namespace

// The dynamic loader takes an empty name for the program itself, where Windows loads
// nothing; both builds report an empty name as a library that cannot be loaded. A name
// with a slash is a path, opened only when it is a plain file: opening a pipe would wait
// for its writer.
void* PosixNativeLibraries::load(const std::string& module, std::string& whyNot) {
    std::error_code error;
    if (module.empty()) {
        whyNot = "no library name";
        return nullptr;
    }
    if (module.find('/') != std::string::npos && std::filesystem::exists(module, error) &&
        !std::filesystem::is_regular_file(module, error)) {
        whyNot = module + ": not a regular file";
        return nullptr;
    }
    void* library = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) whyNot = dlerror();
    return library;
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

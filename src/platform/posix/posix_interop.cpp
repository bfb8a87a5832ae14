// Placeholder until native calls land: nothing can be loaded or created.
#include "platform/posix/posix_interop.h"

namespace ml {

void* PosixNativeLibraries::load(const std::string&) { return nullptr; }
void* PosixNativeLibraries::find(void*, const std::string&) { return nullptr; }
std::intptr_t PosixNativeLibraries::call(void*, const std::array<std::intptr_t, 10>&) { return 0; }
void PosixNativeLibraries::release(void*) {}

ComResult PosixCom::call(const std::string&, const std::string&, const std::vector<ComArgument>&) {
    ComResult result;
    result.status = ComResult::Status::CannotCreate;
    return result;
}

}  // namespace ml

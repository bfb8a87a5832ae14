// Native libraries and automation objects of this host.
#pragma once

#include "platform/platform.h"

namespace ml {

class PosixNativeLibraries final : public NativeLibraries {
public:
    void* load(const std::string& module, std::string& whyNot) override;
    void* find(void* library, const std::string& function) override;
    std::intptr_t call(void* function, const NativeArguments& arguments) override;
    void release(void* library) override;
};

class PosixCom final : public Com {
public:
    ComResult call(const std::string& progId, const std::string& method,
                   const std::vector<ComArgument>& arguments) override;
};

}  // namespace ml

// Native libraries and automation objects of this host (the objects in win32_com.cpp).
#pragma once

#include "platform/platform.h"

namespace ml {

class Win32NativeLibraries final : public NativeLibraries {
public:
    void* load(const std::string& module, std::string& whyNot) override;
    void* find(void* library, const std::string& function) override;
    std::intptr_t call(void* function, const NativeArguments& arguments) override;
    void release(void* library) override;
};

class Win32Com final : public Com {
public:
    ComResult call(const std::string& progId, const std::string& method,
                   const std::vector<ComArgument>& arguments) override;
};

}  // namespace ml

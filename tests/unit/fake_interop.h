// Recording stand-ins for native libraries and automation objects.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace ml {

class FakeNativeLibraries final : public NativeLibraries {
public:
    using Positions = NativeArguments;
    // library name -> exported names; a call gives result, or what onCall gives.
    std::map<std::string, std::vector<std::string>> exports;
    std::intptr_t result = 0;
    // Runs during the call, while the texts that pointer positions refer to exist.
    std::function<std::intptr_t(const Positions&)> onCall;
    std::vector<std::string> log;
    Positions lastArguments{};

    void* load(const std::string& module, std::string& whyNot) override {
        log.push_back("load " + module);
        auto found = exports.find(module);
        if (found == exports.end()) whyNot = "not in the fake's list";
        return found == exports.end() ? nullptr : &found->second;
    }
    void* find(void* library, const std::string& function) override {
        log.push_back("find " + function);
        for (const std::string& name : *static_cast<std::vector<std::string>*>(library))
            if (name == function) return const_cast<std::string*>(&name);
        return nullptr;
    }
    std::intptr_t call(void* function, const Positions& arguments) override {
        log.push_back("call " + *static_cast<std::string*>(function));
        lastArguments = arguments;
        return onCall ? onCall(arguments) : result;
    }
    void release(void*) override { log.push_back("release"); }
};

class FakeCom final : public Com {
public:
    ComResult result;
    std::vector<std::string> log;
    std::vector<ComArgument> lastArguments;

    ComResult call(const std::string& progId, const std::string& method,
                   const std::vector<ComArgument>& arguments) override {
        log.push_back("call " + progId + " " + method);
        lastArguments = arguments;
        return result;
    }
};

}  // namespace ml

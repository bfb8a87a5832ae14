// The interpreter object: every table of one run, and the platform it runs on.
// A test makes a fresh one; nothing of a run lives outside it.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/decoded_form.h"
#include "core/run_state.h"
#include "core/program.h"
#include "platform/platform.h"

namespace ml {

struct ModuleDef;

// What one module keeps between its calls within a run. Each module that keeps
// anything derives its own, in its own folder, and reaches it through its accessor.
struct ModuleState {
    virtual ~ModuleState() = default;
};

struct Interp {
    // Every module with a state gets it now, so that a state that measures from the
    // start (the time module's clock) measures from the interpreter's making.
    Interp(Platform& host, std::span<const ModuleDef> modules);

    Platform& platform;
    char language = '1';   // display language: '1' Auto, '2' English, '3' Chinese
    Program program;
    LoaderState loader;
    VarTable vars;
    CallState calls;
    ExecState exec;
    DecodedProgram decoded;
    ArgSlots args;
    // The script's name as the run was given it, then the words after it on the
    // command line: what desk.arg reads.
    std::vector<std::string> scriptArguments;
    // One slot per module, by its Module value; empty for a module that keeps nothing.
    std::array<std::unique_ptr<ModuleState>, kModuleCount> moduleStates;
};

// The state of a module as its own type; only the module's accessor calls this.
template <class State>
State& StateOf(Interp& in, Module module) {
    return static_cast<State&>(*in.moduleStates[static_cast<std::size_t>(module)]);
}

}  // namespace ml

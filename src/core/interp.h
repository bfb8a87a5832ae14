// The interpreter object: every table of one run, and the platform it runs on.
// A test makes a fresh one; nothing of a run lives outside it.
#pragma once

#include "core/decoded_form.h"
#include "core/module_state.h"
#include "core/run_state.h"
#include "core/program.h"
#include "platform/platform.h"

namespace ml {

struct Interp {
    explicit Interp(Platform& host) : platform(host) {}

    Platform& platform;
    char language = '1';   // display language: '1' Auto, '2' English, '3' Chinese
    Program program;
    LoaderState loader;
    VarTable vars;
    CallState calls;
    ExecState exec;
    DecodedProgram decoded;
    ArgSlots args;
    ModuleState modules;
};

}  // namespace ml

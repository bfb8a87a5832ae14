// The call dispatch frame: finds the innermost call of a line, evaluates its
// arguments into the argument slots, dispatches it to a module or a user function,
// and puts its result back into the line.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/program.h"

namespace ml {

// A built-in function: its full lower-case name, its exact argument count, whether
// it gives a value, and its body, which reads the argument slots and gives the result.
// before, when set, runs as soon as the name matches, ahead of the count and position
// checks (the cursor functions read the cursor first, as scripts have always seen).
struct Builtin {
    std::string_view name;
    int argc;
    bool givesValue;
    std::string (*run)(Interp& in);
    void (*before)(Interp& in) = nullptr;
};

// A module: the prefix of its names, its import flag and its functions, compared in
// order. enter runs whenever the dispatcher enters the module's step.
struct ModuleDef {
    std::string_view prefix;
    Module flag;
    std::span<const Builtin> functions;
    void (*enter)(Interp& in) = nullptr;
};

// Hands the arguments to a built-in function as the bytes they stand for: data
// backslashes lose their marks (user functions keep them, as variables do).
void UnprotectArguments(Interp& in);

// Value text of argument i (1-based) of the call being dispatched.
const std::string& Arg(Interp& in, int i);

// Evaluates the innermost call of the line and gives the line with the call replaced
// by its result, or by "(null)" for a call that gives no value.
std::string def(Interp& in, const std::string& line);

// Where the innermost call of a line stands: its marker and one past its closing
// parenthesis. complete is false when the call has no balanced parentheses.
struct CallSpan {
    std::size_t marker = 0;
    std::size_t end = 0;
    bool complete = false;
};
CallSpan LocateCall(std::string_view line, std::size_t marker);

// Cuts the innermost call out of the line into cut; gives the call's 1-based position.
std::size_t dJ(std::string_view line, std::string& cut);

// Fatal reports of a wrong argument count and of a call in the wrong position.
[[noreturn]] void Error_Bug(Interp& in, int expected, std::string_view name);
[[noreturn]] void YesNo_Return(Interp& in, bool needsValue, std::string_view name);

}  // namespace ml

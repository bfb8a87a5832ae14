// How a built-in function is listed: one table entry per function, so that the call
// dispatcher checks every argument count and call position in one place.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/interp.h"
#include "core/value_text.h"

namespace ml {

// Where a call of the function may stand.
enum class Use {
    Value,      // inside an expression: it gives a value
    Statement,  // alone as a statement: it gives none
    Either,     // either; as a statement its value is thrown away
};

// How many arguments a function takes: an exact number, or a range.
struct ArgCount {
    constexpr ArgCount(int exact) : least(exact), most(exact) {}  // NOLINT: a number reads as itself
    constexpr ArgCount(int fewest, int most) : least(fewest), most(most) {}
    // The count of a function that has learnt an optional last argument: a wrong count
    // is still reported with the number scripts have always been told.
    static constexpr ArgCount OptionalLast(int count) {
        ArgCount args(count, count + 1);
        args.reportsLeast = true;
        return args;
    }
    int least;
    int most;
    bool reportsLeast = false;
};

// A built-in function: its full lower-case name, how many arguments it takes, where
// it may stand, and its body, which reads the argument slots and gives the result.
// before, when set, runs as soon as the name matches, ahead of the count and position
// checks (the cursor functions read the cursor first, as scripts have always seen).
// shownName, when set, is how error reports write the name instead. The result is
// bytes, and reaches the line only through PutDataInLine, read as reading says.
// givesWay marks a name added to a module after scripts were written for it: reached
// by its short name, it gives way to the script's own function of that name, which is
// what such a script has always called.
struct Builtin {
    std::string_view name;
    ArgCount args;
    Use use;
    std::string (*run)(Interp& in);
    void (*before)(Interp& in) = nullptr;
    std::string_view shownName = {};
    ResultReading reading = ResultReading::AsTyped;
    bool givesWay = false;
};

// A module: the prefix of its names, the import that lets the prefix be left out
// (none: its names are always reached as they are), and its functions, compared in
// order. enter runs whenever the dispatcher tries the module. makeState, for a
// module that keeps anything between calls, makes that state when the interpreter is
// made; the module's import value is its slot.
struct ModuleDef {
    std::string_view prefix;
    std::optional<Module> import;
    std::span<const Builtin> functions;
    void (*enter)(Interp& in) = nullptr;
    std::unique_ptr<ModuleState> (*makeState)(Interp& in) = nullptr;
};

// The makeState of a module whose state needs nothing but its own defaults.
template <class State>
std::unique_ptr<ModuleState> MakeModuleState(Interp&) {
    return std::make_unique<State>();
}

// Value text of argument i (1-based) of the call being dispatched.
const std::string& Arg(Interp& in, int i);

}  // namespace ml

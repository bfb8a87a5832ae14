#include "engine/modules.h"

#include <array>

#include "automation/desk_module.h"
#include "automation/lib_module.h"
#include "builtins/builtin_modules.h"
#include "interop/interop.h"

namespace ml {

// Native calls come first: no script function can take their names. The desk module
// comes last, so that where a script imports it beside lib, a name both have
// (Capture) keeps the meaning it had before desk existed.
std::span<const ModuleDef> Modules() {
    static const std::array<const ModuleDef, 8> modules = {NativeCallModule(), LibModule(),  DosModule(),
                                                           StringModule(),     TimeModule(), MathModule(),
                                                           FileModule(),       DeskModule()};
    return modules;
}

}  // namespace ml

#include "engine/modules.h"

#include <array>

#include "automation/lib_module.h"
#include "builtins/builtin_modules.h"
#include "interop/interop.h"

namespace ml {

// Native calls come first: no script function can take their names.
std::span<const ModuleDef> Modules() {
    static const std::array<const ModuleDef, 7> modules = {NativeCallModule(), LibModule(),  DosModule(),
                                                           StringModule(),     TimeModule(), MathModule(),
                                                           FileModule()};
    return modules;
}

}  // namespace ml

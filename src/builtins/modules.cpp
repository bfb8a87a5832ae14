#include "builtins/modules.h"

#include <array>

namespace ml {

std::span<const ModuleDef> Modules() {
    static const std::array<const ModuleDef, 6> modules = {LibModule(),  DosModule(),  StringModule(),
                                                           TimeModule(), MathModule(), FileModule()};
    return modules;
}

}  // namespace ml

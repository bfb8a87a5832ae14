#include "builtins/modules.h"

#include <array>

namespace ml {

std::span<const ModuleDef> Modules() {
    static const std::array<const ModuleDef, 2> modules = {LibModule(), DosModule()};
    return modules;
}

}  // namespace ml

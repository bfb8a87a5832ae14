#include "core/interp.h"

#include "core/builtin.h"

namespace ml {

Interp::Interp(Platform& host, std::span<const ModuleDef> modules) : platform(host) {
    for (const ModuleDef& module : modules)
        if (module.makeState) moduleStates[static_cast<std::size_t>(*module.import)] = module.makeState(*this);
}

}  // namespace ml

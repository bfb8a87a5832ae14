// Every module the language has, in the order the dispatcher tries them.
#pragma once

#include <span>

#include "core/builtin.h"

namespace ml {

std::span<const ModuleDef> Modules();

}  // namespace ml

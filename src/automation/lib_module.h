// The lib module: windows, input, pixels, capture and image search.
#pragma once

#include "core/builtin.h"

namespace ml {

const ModuleDef& LibModule();

}  // namespace ml

// State that built-in modules keep between calls within one run.
#pragma once

#include "platform/platform.h"

namespace ml {

struct ModuleState {
    ScreenPoint p;   // lib: the cursor position, read ahead of the call's checks
};

}  // namespace ml

// State that built-in modules keep between calls within one run.
#pragma once

namespace ml {

struct ModuleState {};

}  // namespace ml

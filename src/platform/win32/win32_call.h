// A call of a native function with exactly ten integer-sized argument positions.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace ml {

// Position 1 is the first parameter. Works for functions that remove their own
// arguments from the stack and for those that leave them to the caller.
std::intptr_t CallTenPositions(void* function, const NativeArguments& positions);

}  // namespace ml

// What the lib module keeps between calls within one run; the desk module's
// snapshots share its screen image.
#pragma once

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

struct LibState final : ModuleState {
    // The cursor position, read ahead of the call's checks.
    ScreenPoint cursor;
    // The latest screen image; the next snapshot rewrites it in place.
    ScreenImage screen;
};

inline LibState& LibStateOf(Interp& in) { return StateOf<LibState>(in, Module::Lib); }

}  // namespace ml

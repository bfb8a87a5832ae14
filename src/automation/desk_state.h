// What the desk module keeps between calls within one run.
#pragma once

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

// Where ~Desk.FoundX and ~Desk.FoundY point before any picture was found.
inline constexpr ScreenPoint kNothingFound{-1, -1};

struct DeskState final : ModuleState {
    // The centre of the picture the latest ~Desk.Look found; kNothingFound before the
    // first look and after one that found nothing, so that no click lands where an
    // older picture was.
    ScreenPoint found = kNothingFound;
    // Whether the run was told that controls cannot be reached, which it hears once.
    bool toldControlsUnreachable = false;
};

inline DeskState& DeskStateOf(Interp& in) { return StateOf<DeskState>(in, Module::Desk); }

}  // namespace ml

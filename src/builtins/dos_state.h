// What the dos module keeps between calls within one run.
#pragma once

#include "core/interp.h"

namespace ml {

struct DosState final : ModuleState {
    // A read found standard input at its end; the next read that does is fatal, so a
    // script reading until it sees a word cannot spin for ever.
    bool inputEnded = false;
};

inline DosState& DosStateOf(Interp& in) { return StateOf<DosState>(in, Module::Dos); }

}  // namespace ml

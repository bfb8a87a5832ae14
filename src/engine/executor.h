// The statement executor: runs the loaded program from its first entry.
#pragma once

#include "core/interp.h"

namespace ml {

// Runs until the counter passes the last entry. `Exit` and fatal errors end the run
// by throwing ProgramEnd.
void Script(Interp& in);

}  // namespace ml

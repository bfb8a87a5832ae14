// The statement executor: runs the loaded program from its first entry.
#pragma once

#include "core/interp.h"

namespace ml {

// Script: runs the program until the counter passes the last entry. `Exit` ends the
// run by throwing ProgramEnd, an error by raising FatalError.
void Script(Interp& in);

}  // namespace ml

// One run of the program: the display language, the banner, the choice of the
// script or a command, loading, the checks and the run.
#pragma once

#include "core/interp.h"

namespace ml {

// Runs the interpreter as the program's main does, reporting a fatal error, and
// gives the exit status: 0, the status `Exit` names, 1 after a fatal error, or 2 for a
// command line it does not take.
int RunMorrowlark(Interp& in, int argc, const char* const* argv);

}  // namespace ml

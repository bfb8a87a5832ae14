// One run of the program: the display language, the banner, the choice of the
// script or a command, loading, the checks and the run.
#pragma once

#include "core/interp.h"

namespace ml {

// Runs the interpreter as the program's main does, reporting a fatal error, and
// gives the exit status: 0, or 1 after a fatal error.
int RunMorrowlark(Interp& in, int argc, char** argv);

}  // namespace ml

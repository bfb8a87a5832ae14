// One run of the program: the display language, the banner, the choice of the
// script or a command, loading, the checks and the run.
#pragma once

#include "core/interp.h"

namespace ml {

// Runs the interpreter as the program's main does. Returns after the run; a fatal
// error or `Exit` ends it by throwing ProgramEnd.
void RunMorrowlark(Interp& in, int argc, char** argv);

}  // namespace ml

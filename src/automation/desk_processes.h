// The desk module's process functions: starting programs, waiting for them and ending
// them. They need no display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/interp.h"

namespace ml {

// Starts the command without waiting; its process id. A command that cannot be
// started ends the run with the function's message naming it.
ProcessId StartProgram(Interp& in, std::string_view function, const std::string& command);

// Starts the command as ~Desk.RunWait does and waits up to the time for it (a negative
// time is none); its exit status, or -1 when it still runs, and it is left running.
std::int64_t RunAndWait(Interp& in, const std::string& command, int milliseconds);

// Ends the process with the id: 1 when it ran and has ended, 0 when no process with
// the id runs (no id below 1 names one). A process that cannot be ended ends the run
// naming it: another user's, the system's, this program, one still there after the
// last signal, and process 1, which is never signalled.
int EndProcess(Interp& in, std::int64_t id);

}  // namespace ml

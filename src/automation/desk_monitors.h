// The desk module's monitors: how many there are, and where each lies on the desktop.
#pragma once

#include <string_view>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

int MonitorCount(Interp& in);

// The rectangle of the monitor that the call's first argument numbers, from 1, the
// primary; an argument that numbers none ends the run with the function's parameter
// error, whose limit is the monitors there are.
WindowRect NumberedMonitor(Interp& in, std::string_view function);

}  // namespace ml

// The desktop as the automation functions reach it: only once it has a display.
#pragma once

#include <string>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

// The desktop, when its display can be used; otherwise a fatal error that names the
// display tried. Every call that looks at windows, reads the screen or sends input
// comes through here, so that a script without a display stops at its first such call
// instead of clicking, typing and waiting at nothing.
Desktop& UsableDesktop(Interp& in);

// The usable desktop when it can do this for the window (0: for the screen);
// otherwise a fatal error that names the running function and the desktop. On a
// desktop that lacks the ability altogether, doing nothing or answering from a guess
// would let a script go on as if it had worked.
Desktop& DesktopThatCan(Interp& in, DesktopAbility ability, WindowHandle window);

// Why the desktop cannot be used, in the display language; empty when it can.
std::string DisplayProblem(Interp& in);

// The report's message when the display in use went away under the run.
std::string DisplayLostMessage(Interp& in, const std::string& display);

}  // namespace ml

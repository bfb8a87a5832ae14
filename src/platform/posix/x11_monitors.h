// The monitors of the X display: one root window spans them all, and the Xinerama
// extension (answered from RandR's outputs by servers that have it) tells where each
// one lies on it.
#pragma once

#include <span>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"

namespace ml {

// The monitors' rectangles on the root window, the primary first; the root window
// alone when the server or the library tells nothing; none without a display.
std::vector<WindowRect> MonitorRects(X11Connection& x11);

// The rectangles of the heads as the extension lists them, leaving out the ones with
// no pixels; the root window's size alone when none is left.
std::vector<WindowRect> MonitorsOfHeads(std::span<const XineramaScreenInfo> heads, ScreenPoint root);

}  // namespace ml

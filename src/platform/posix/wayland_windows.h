// Windows of a Wayland desktop as the foreign-toplevel protocol lists them: found
// by title, listed, activated and closed. The protocol tells no stacking order; the
// list goes from the window activated last, as a stack would.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/wayland_connection.h"

namespace ml {

// The open window with the id; null when none has it.
WaylandWindow* WaylandWindowById(WaylandConnection& wayland, WindowHandle id);

// The windows not minimised, the last activated first, then those never activated,
// the newest first.
std::vector<WindowHandle> ShownWaylandWindows(WaylandConnection& wayland);

// The first window of that list whose title is exactly the text; 0 when none.
WindowHandle FindWaylandWindow(WaylandConnection& wayland, const std::string& title);

// The activated window; 0 when none is.
WindowHandle FocusedWaylandWindow(WaylandConnection& wayland);

void ActivateWaylandWindow(WaylandConnection& wayland, WindowHandle id);
void CloseWaylandWindow(WaylandConnection& wayland, WindowHandle id);

}  // namespace ml

// Windows of the X display: lookup by title and by class, and activation.
#pragma once

#include <string>

#include "platform/posix/x11_connection.h"

namespace ml {

// The topmost client window whose title (_NET_WM_NAME, else WM_NAME) is exactly
// this text; 0 when none.
Window FindWindowByTitle(X11Connection& x11, const std::string& title);

// The topmost direct child of the parent (with parent 0: the topmost client
// window) whose WM_CLASS has this instance name or this class name; 0 when none.
Window FindChildByClass(X11Connection& x11, Window parent, const std::string& className);

// Asks the window manager to activate the window, raises it and gives it the
// keyboard focus; with no window manager the last two do the work.
void ActivateWindow(X11Connection& x11, Window window);

}  // namespace ml

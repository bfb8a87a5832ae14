// Windows of the X display: lookup by title and by class, activation, the list of
// shown clients, titles, rectangles, moving and closing.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

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

// The viewable client windows, topmost first: a window manager's frames give their
// client; windows that bypass the manager (menus, tooltips) are left out.
std::vector<Window> ShownClientWindows(X11Connection& x11);

// The shown client window that has the keyboard focus, as ShownClientWindows lists
// it; 0 when none has it.
Window FocusedClientWindow(X11Connection& x11);

// Whether the window exists and is viewable: mapped, and its ancestors too.
bool IsViewableWindow(X11Connection& x11, Window window);

// _NET_WM_NAME, else WM_NAME; empty for none.
std::string TitleOf(X11Connection& x11, Window window);

// The rectangle a client's frame (or a window without one) covers on the screen,
// border included.
bool OuterRectangle(X11Connection& x11, Window window, WindowRect& rect);
void MoveWindowTo(X11Connection& x11, Window window, const WindowRect& rect);

// Sends WM_DELETE_WINDOW where the window takes part in the protocol; otherwise
// ends its client's connection.
void CloseWindow(X11Connection& x11, Window window);

// The screen point of a point in the window; the point itself when the window is gone.
ScreenPoint ClientToScreen(X11Connection& x11, Window window, ScreenPoint point);

// The window's own width and height, inside its border; false when it is gone.
bool InsideSize(X11Connection& x11, Window window, ScreenPoint& size);

// The process id the window's client published (_NET_WM_PID); 0 when it published none.
unsigned long ProcessOfWindow(X11Connection& x11, Window window);

}  // namespace ml

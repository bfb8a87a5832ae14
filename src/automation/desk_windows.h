// The desk module's window functions: listing, finding, waiting, titles, rectangles,
// moving and closing.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

// Titles are script values, so they are cut to the 255 bytes a value holds.
std::string WindowTitle(Interp& in, WindowHandle window);

// The visible top-level window after this one (0: the topmost); 0 after the last, and
// for a window that is not one of them.
WindowHandle NextWindow(Interp& in, WindowHandle after);

// The first visible top-level window whose title contains the text; 0 when none.
WindowHandle FindWindowContaining(Interp& in, const std::string& text);

// Waits for a visible top-level window with exactly this title, looking again every
// 50 ms at most; 0 when none came in the time.
WindowHandle WaitForWindow(Interp& in, const std::string& title, int milliseconds);

// Waits, as WaitForWindow does, for a visible top-level window whose title contains
// the text.
WindowHandle WaitForWindowContaining(Interp& in, const std::string& text, int milliseconds);

// Waits, looking as WaitForWindow does, until the window no longer exists or is no
// longer shown; false when it still was after the time.
bool WaitForWindowToGo(Interp& in, WindowHandle window, int milliseconds);

// The top-level window with the keyboard focus; 0 when none.
WindowHandle FocusedWindow(Interp& in);

// The topmost visible top-level window whose outer rectangle holds the screen point;
// 0 when none does.
WindowHandle WindowAt(Interp& in, ScreenPoint point);

// The window's outer rectangle; window 0 gives the whole desktop, every monitor, no
// window all zeros.
WindowRect WindowRectangle(Interp& in, WindowHandle window);

// The screen point of the window's client-area corner, from which client coordinates
// count; window 0 gives the primary monitor's corner, where desktop coordinates
// count from, and no window 0, 0.
ScreenPoint InsideCorner(Interp& in, WindowHandle window);

// Gives the window this rectangle; a negative width or height keeps the current one.
void MoveWindow(Interp& in, WindowHandle window, WindowRect rect);

}  // namespace ml

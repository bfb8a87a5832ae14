// The desk module's input: typing, clicks of any button, single or double, and the
// wheel, synthesised at desktop coordinates (window mode off) or posted at client
// coordinates.
#pragma once

#include <string>

#include "core/interp.h"

namespace ml {

enum class MouseButton { Left, Middle, Right };

// Where input goes: synthesised input for the whole desktop, or messages posted to
// one window.
struct InputTarget {
    bool desktop;
    WindowHandle window;
};

// The desktop for input to the target: input to the desktop goes where the focus
// is, input to one window is posted to it, where the desktop can post.
Desktop& DesktopFor(Interp& in, InputTarget target);

// Types the whole text, or ends the run naming the first character that cannot be
// typed, before any is.
void TypeInto(Interp& in, InputTarget target, const std::string& text);

void Click(Interp& in, InputTarget target, MouseButton button, ScreenPoint at, int count);

// Turns the wheel by the steps, positive away from the user.
void TurnWheel(Interp& in, InputTarget target, int steps, ScreenPoint at);

// A script may ask for any number of steps; more than this many in one call would
// only keep the program busy (and overflow the record's delta on Windows).
inline constexpr int kMaxWheelSteps = 1000;

}  // namespace ml

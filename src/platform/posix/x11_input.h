// Input for the X display: synthesised input records (XTEST), window messages
// posted to one window (sent events), and the state of keys and buttons.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"

namespace ml {

// The pixel that an absolute coordinate on the 0..65535 scale names on a screen
// side of this many pixels; the inverse of x * 65536 / side + 1.
int PixelOfAbsolute(std::int32_t absolute, int side);

void FakeMouseInput(X11Connection& x11, const MouseRecord& record);
void FakeKeyInput(X11Connection& x11, const KeyRecord& record);

// The modifier keys that the script holds down through posted key messages: the
// server never sees those, so the posted key events carry them themselves.
struct PostedModifiers {
    unsigned int held = 0;
};

// Where posted input lands: the deepest mapped window under the point, so that
// toolkits whose widgets are child windows receive it, and the point in that
// window's coordinates.
struct PostTarget {
    Window window = 0;
    int x = 0;
    int y = 0;
};

// The target under a point of the window's client area; no window when the window
// does not exist.
PostTarget PostTargetAt(X11Connection& x11, Window window, int x, int y);
// Key messages have no point: they go to the window under the window's centre.
PostTarget KeyTarget(X11Connection& x11, Window window);

// The modifier state a posted key or button event carries: the keys held through
// posted messages, and those held on the server (synthesised).
unsigned int PostedState(X11Connection& x11, const PostedModifiers& modifiers);

// Sends one key event to the target.
void PostKeyEvent(X11Connection& x11, const PostTarget& target, KeyCode keycode, unsigned int state, bool press);

// The window messages of the mouse run from a move's to the wheel's.
inline constexpr std::uint32_t kFirstMouseMessage = 0x0200;
inline constexpr std::uint32_t kWheelMessage = 0x020A;

// Delivers a mouse or key window message as the matching X event at the client
// coordinates packed in lParam (a wheel message: screen coordinates); other messages
// and unknown windows are ignored.
void PostWindowMessage(X11Connection& x11, PostedModifiers& modifiers, Window window, std::uint32_t message,
                       std::uint64_t wParam, std::uint64_t lParam);

// Whether the key (or mouse button, virtual keys 1, 2 and 4) is down now.
bool VirtualKeyIsDown(X11Connection& x11, int virtualKey);

}  // namespace ml

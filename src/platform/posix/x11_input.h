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

// Delivers a mouse or key window message as the matching X event at the client
// coordinates packed in lParam; other messages and unknown windows are ignored.
void PostWindowMessage(X11Connection& x11, Window window, std::uint32_t message, std::uint64_t wParam,
                       std::uint64_t lParam);

// Whether the key (or mouse button, virtual keys 1, 2 and 4) is down now.
bool VirtualKeyIsDown(X11Connection& x11, int virtualKey);

}  // namespace ml

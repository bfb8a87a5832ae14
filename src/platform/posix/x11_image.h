// The screen image from the X display: the root window, or one window's area
// placed at the top-left corner, turned into the 24-bit bottom-up layout.
#pragma once

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"

namespace ml {

// A screen-sized image of the screen (window 0) or of the part of the window that
// lies on the screen, at the image's top-left corner; the rest is black. The image's
// buffer is reused: every byte is rewritten.
void CaptureScreen(X11Connection& x11, Window window, ScreenImage& image);

// The same for a rectangle of the screen, as the screen shows it (whatever window lies
// on top there).
void CaptureArea(X11Connection& x11, const WindowRect& area, ScreenImage& image);

// Copies the pixels of a true-colour X image into the screen image with its
// top-left pixel at (left, top); whatever falls outside the image is dropped. False,
// with nothing copied, for a palette image.
bool CopyImagePixels(XImage& source, int left, int top, ScreenImage& image);

}  // namespace ml

// Snapshots of the screen or of one window's client area: drawn into an off-screen
// bitmap that is kept between calls (scripts poll the screen) and re-made when the
// screen size changes, then read out once, straight into the image's reused buffer in
// its 24-bit bottom-up layout.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace ml {

class Win32Snapshot {
public:
    Win32Snapshot() = default;
    Win32Snapshot(const Win32Snapshot&) = delete;
    Win32Snapshot& operator=(const Win32Snapshot&) = delete;
    ~Win32Snapshot();

    // An image of the area's size: the area of the screen (window null), its corner in
    // screen coordinates, or the window's client area at the top-left corner; black
    // where nothing could be drawn.
    void take(HWND window, const WindowRect& area, ScreenImage& image);

private:
    bool prepare(HDC windowDc, int width, int height);
    bool draw(HWND window, const WindowRect& area);
    bool read(ScreenImage& image);
    void release();

    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace ml

// The screen of a Wayland desktop, copied by the compositor into memory we share
// with it (wlr-screencopy), one output at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/wayland_connection.h"

namespace ml {

// One output's pixels as the compositor wrote them: rows of 4 bytes a pixel, in the
// shared-memory format it chose.
struct CapturedFrame {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::uint32_t format = 0;
    bool upsideDown = false;
    std::vector<std::uint8_t> bytes;
};

// Copies the output's current picture; false when the compositor refused or chose
// a format other than the 32-bit ones every compositor offers.
bool CaptureOutput(WaylandConnection& wayland, const WaylandOutput& output, CapturedFrame& frame);

// Sizes the image (24-bit, bottom row first) and makes it black.
void ClearScreenImage(ScreenImage& image, int width, int height);

// Draws the frame into the image with its top-left pixel at (left, top); what falls
// outside the image is dropped.
void PlaceFrame(const CapturedFrame& frame, int left, int top, ScreenImage& image);

}  // namespace ml

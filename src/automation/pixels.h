// Reading and comparing one pixel of the screen image.
#pragma once

#include <cstdint>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

// Colour value of pixel (x, y) of a fresh snapshot of the screen or of the window's
// client area; 0 outside the image.
std::int32_t ReadPixel(Interp& in, WindowHandle window, std::uint16_t x, std::uint16_t y);

// Whether pixel (x, y) has the colour within the tolerance (0..100) in each channel.
bool CmpPixel(Interp& in, WindowHandle window, std::uint16_t x, std::uint16_t y, std::int32_t colour,
              int tolerance);

}  // namespace ml

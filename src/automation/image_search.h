// Finding a template picture in the screen image.
#pragma once

#include <cstdint>
#include <string>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

// Anchor positions x1 <= x < x2, y1 <= y < y2 are searched.
struct SearchArea {
    std::uint16_t x1 = 0;
    std::uint16_t y1 = 0;
    std::uint16_t x2 = 0;
    std::uint16_t y2 = 0;
};

// The top-left corner of the first placement, rows first, at which every non-skip
// template pixel matches the screen within the tolerance (0..100), as y × 65536 + x;
// 0 when none. Template pixels of colour EAEAEA (red, green and blue all 234) match
// anything. A placement that would leave the image is no match, and a template of
// skip pixels only is found nowhere. The screen must hold rowSize × height bytes (as
// TakeScreenImage leaves it) and the template width × height × 4.
std::uint32_t SearchImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area, int tolerance);

// The whole search as a script asks for it, the tolerance in 0..100: the picture
// file's headers are read first, then, if the picture can fit the screen, its pixels,
// and only then is a fresh screen image taken.
std::uint32_t FindRGB(Interp& in, WindowHandle window, SearchArea area, const std::string& file, int tolerance);

}  // namespace ml

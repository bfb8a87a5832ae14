// Finding a template picture in the screen image.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/picture_file.h"
#include "automation/screen_image.h"
#include "core/interp.h"
#include "core/language.h"
#include "platform/platform.h"

namespace ml {

// Anchor positions x1 <= x < x2, y1 <= y < y2 are searched.
struct SearchArea {
    std::uint16_t x1 = 0;
    std::uint16_t y1 = 0;
    std::uint16_t x2 = 0;
    std::uint16_t y2 = 0;
};

// An area that bounds no anchor: every placement in the image is tried.
inline constexpr SearchArea kEveryPlacement{0, 0, 0xFFFF, 0xFFFF};

// The top-left corner of the first placement, rows first, at which every non-skip
// template pixel matches the screen within the tolerance (0..100); none when there
// is none. Template pixels of colour EAEAEA (red, green and blue all 234) match
// anything. A placement that would leave the image is no match, and a template of
// skip pixels only is found nowhere. The screen must hold rowSize × height bytes (as
// TakeScreenImage leaves it) and the template width × height × 4.
std::optional<ScreenPoint> LocateImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area,
                                       int tolerance);

// The corner LocateImage finds as y × 65536 + x, which reads 0 both for none and for
// the corner (0, 0).
std::uint32_t SearchImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area, int tolerance);

// Reads the picture file for a search: its headers first, then, if the picture can
// fit what window 0 shows under the reach, its pixels; false, with nothing read
// beyond the headers, for a picture that cannot. A file that is missing or holds no
// picture ends the run with the message, the file's name after it.
bool ReadTemplate(Interp& in, const std::string& file, const MsgPair& missing, Transparency transparency,
                  Reach reach, TemplateImage& picture);

// The whole search as a script asks for it, the tolerance in 0..100: the picture is
// read first, and only then is a fresh screen image taken.
std::uint32_t FindRGB(Interp& in, WindowHandle window, SearchArea area, const std::string& file, int tolerance);

}  // namespace ml

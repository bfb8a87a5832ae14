// Saving the screen image as a 24-bit bitmap file, or as PNG through the platform.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

inline constexpr std::size_t kBitmapHeadersSize = 14 + 40;

// The file header and the information header that describe the image, little-endian.
std::array<std::uint8_t, kBitmapHeadersSize> BitmapHeaders(const ScreenImage& image);

// Writes a fresh snapshot of the screen or of the window's client area to the file as
// a bitmap. The file gets the whole picture or stays as it was: a picture that cannot
// be taken (no display) or written is a fatal error naming the file.
void ScreenCapture(Interp& in, WindowHandle window, const std::string& file);

// Like ScreenCapture, but a window's picture has the size of its client area, a
// window that is gone gives none (the same fatal error as no display), and a file
// name ending in .png (any case) gets a PNG file.
void InsideCaptureByName(Interp& in, WindowHandle window, const std::string& file);

}  // namespace ml

// PNG files through libpng: screen images encoded, picture files decoded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace ml {

// The bytes of a PNG file that holds the image; false when libpng cannot be loaded or
// fails. libpng's own messages are never shown: a failure is only the false.
bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes);

// The pixels of a PNG file held in memory, four bytes each: blue, green, red and
// alpha (255 throughout a picture without transparency). False, and an empty image,
// when libpng cannot be loaded or the bytes are no readable PNG file; libpng shows
// nothing.
bool DecodePng(std::span<const std::uint8_t> bytes, TemplateImage& image);

}  // namespace ml

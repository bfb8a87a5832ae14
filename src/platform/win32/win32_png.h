// PNG files through the Windows Imaging Component: screen images encoded, picture
// files decoded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace ml {

// The bytes of a PNG file that holds the image; false when the imaging component fails.
bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes);

// The pixels of a PNG file held in memory, four bytes each: blue, green, red and
// alpha (255 throughout a picture without transparency). False, and an empty image,
// when the imaging component fails or the bytes are no readable PNG file.
bool DecodePng(std::span<const std::uint8_t> bytes, TemplateImage& image);

}  // namespace ml

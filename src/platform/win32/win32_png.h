// Encoding a screen image as PNG through the Windows Imaging Component.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace ml {

// The bytes of a PNG file that holds the image; false when the imaging component fails.
bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes);

}  // namespace ml

// Encoding a screen image as PNG through libpng.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace ml {

// The bytes of a PNG file that holds the image; false when libpng cannot be loaded or
// fails. libpng's own messages are never shown: a failure is only the false.
bool EncodePng(const ScreenImage& image, std::vector<std::uint8_t>& bytes);

}  // namespace ml

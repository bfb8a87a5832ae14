// Bitmap files as template pictures, for hosts that have no bitmap loader of
// their own. Only uncompressed 24- and 32-bit pictures are read; everything
// else, and every damaged file, is refused as "not a bitmap".
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/platform.h"

namespace ml {

// Decodes a whole bitmap file held in memory into top-row-first blue, green,
// red, 0 pixels. False (and an empty image) for anything that is not a readable
// 24- or 32-bit bitmap; never reads outside the bytes given.
bool DecodeBitmapFile(std::span<const std::uint8_t> bytes, TemplateImage& image);

// Reads the file and decodes it; false when it cannot be read or decoded.
bool LoadBitmapFile(const std::string& path, TemplateImage& image);

}  // namespace ml

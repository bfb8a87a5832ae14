// Writing a screen image as a PNG file through libpng.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ml {

// False when libpng cannot be loaded or the file cannot be written; a file left
// half-written by a failure is removed.
bool WritePngFile(const std::string& file, const ScreenImage& image);

}  // namespace ml

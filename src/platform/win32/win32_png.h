// Writing a screen image as a PNG file through the Windows Imaging Component.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ml {

// False when the imaging component or the file fails; a file left half-written by a
// failure is removed.
bool WritePngFile(const std::string& file, const ScreenImage& image);

}  // namespace ml

// Picture files as template pictures, read the same way on every build: bitmaps of
// every common form are decoded here, PNG files by the platform's own decoder. The
// size is known from the headers alone, so that a picture that cannot fit is turned
// away before its pixels are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace ml {

struct PictureSize {
    int width = 0;
    int height = 0;
};

// How many bytes from the start of a file ReadPictureSize needs at most: the file
// header and the longest info header of a bitmap (a PNG file needs 24).
inline constexpr std::size_t kPictureHeadBytes = 14 + 124;

// The picture's size as the headers at the start of its file give it; false when the
// bytes start no bitmap or PNG file, or their headers are damaged.
bool ReadPictureSize(std::span<const std::uint8_t> start, PictureSize& size);

// What becomes of the fully transparent pixels of a PNG file: they keep their colour
// (as ~Lib.FindRGB has always read them), or take the skip colour, which a search
// passes over. Bitmaps carry no transparency that is read.
enum class Transparency { Ignored, Skipped };

// Decodes a whole picture file into top-row-first blue, green, red, 0 pixels. False,
// and an empty image, for a damaged file and for a picture wider or taller than
// `largest`, which is refused before memory for its pixels is taken.
bool DecodePicture(std::span<const std::uint8_t> bytes, PictureSize largest, Desktop& desktop, TemplateImage& image,
                   Transparency transparency);

}  // namespace ml

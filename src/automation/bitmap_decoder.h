// Bitmap files read the same on every build: 1-, 4- and 8-bit pictures with a palette
// (plain or run-length coded), 16- and 32-bit pictures with channel masks, 24-bit
// pictures, in either row order, under the 12-byte OS/2 header or any of the 40- to
// 124-byte info headers. Every offset the file gives is checked against its size
// before it is read, so no file, however damaged, leads a read outside its bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace ml {

// Bytes of the file header and the longest info header: enough to know the size.
inline constexpr std::size_t kBitmapHeadBytes = 14 + 124;

enum class BitmapCoding { Plain, Masks, RunLength8, RunLength4 };

// What the headers say, checked against each other and against the file.
struct BitmapLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    BitmapCoding coding = BitmapCoding::Plain;
    std::array<std::uint32_t, 3> masks{};   // blue, green, red, for 16 and 32 bits
    std::vector<std::array<std::uint8_t, 4>> palette;   // blue, green, red, 0
    std::size_t pixelOffset = 0;
};

// Whether the bytes start like a bitmap file.
bool IsBitmapFile(std::span<const std::uint8_t> bytes);

// The size of the picture, from the headers alone (the first kBitmapHeadBytes of the
// file suffice); false when the headers are damaged or describe no form read here.
bool ReadBitmapSize(std::span<const std::uint8_t> start, int& width, int& height);

// The whole layout of a complete file: false when anything it names lies outside it.
bool ReadBitmapLayout(std::span<const std::uint8_t> bytes, BitmapLayout& layout);

// The pixels of a file whose layout was read; false when the pixels break the layout
// (a palette index beyond the palette, a run past a row or past the picture, coded
// data that ends before its end mark). The image must be layout-sized and black.
bool DecodeBitmapPixels(std::span<const std::uint8_t> bytes, const BitmapLayout& layout, TemplateImage& image);

// Run-length coded pixels (8 or 4 bits), bottom row first. Pixels the codes skip
// over stay black.
bool DecodeRunLengths(std::span<const std::uint8_t> data, const BitmapLayout& layout, TemplateImage& image);

// Gives a template pixel the colour of palette entry `index`; false when the palette
// has no such entry.
inline bool PutPaletteColour(const BitmapLayout& layout, unsigned index, std::uint8_t* pixel) {
    if (index >= layout.palette.size()) return false;
    const std::array<std::uint8_t, 4>& colour = layout.palette[index];
    pixel[0] = colour[0];
    pixel[1] = colour[1];
    pixel[2] = colour[2];
    return true;
}

}  // namespace ml

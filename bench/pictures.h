// Templates for the benchmarks, as colours R + 256 G + 65536 B with rows top first.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace bench {

inline ml::TemplateImage TemplateOf(int width, int height, const std::vector<std::uint32_t>& colours) {
    ml::TemplateImage picture;
    picture.width = width;
    picture.height = height;
    for (std::uint32_t colour : colours) {
        picture.pixels.insert(picture.pixels.end(), {static_cast<std::uint8_t>(colour >> 16),
                                                     static_cast<std::uint8_t>(colour >> 8),
                                                     static_cast<std::uint8_t>(colour), 0});
    }
    return picture;
}

// The template users cut from a flat area: 32 x 32 pixels, an outer border 12 pixels
// wide in the flat background colour, and a distinctive 8 x 8 middle, a checker of two
// colours the background never shows. Over a screen of that colour every placement
// matches the whole border.
inline constexpr int kTemplateSide = 32;
inline constexpr int kBorderWidth = 12;
inline constexpr std::uint32_t kBackground = 0xF0F0F0;

inline std::vector<std::uint32_t> FlatBorderColours() {
    std::vector<std::uint32_t> colours;
    for (int y = 0; y < kTemplateSide; ++y) {
        for (int x = 0; x < kTemplateSide; ++x) {
            const bool middle = x >= kBorderWidth && y >= kBorderWidth && x < kTemplateSide - kBorderWidth &&
                                y < kTemplateSide - kBorderWidth;
            colours.push_back(!middle ? kBackground : (x + y) % 2 == 0 ? 0xFF901E : 0x202020);
        }
    }
    return colours;
}

}  // namespace bench

// A desktop drawn by code, the same from the same seed on every machine: a gradient
// background, overlapping windows with title bars, menus, toolbars of small icons,
// white pages of text in an anti-aliased font and scroll bars, and a taskbar. Most of
// it is flat, as real screens are; the text gives it fine detail in few colours. Two
// seeds give the same look with different windows and words. Colours are
// R + 256 G + 65536 B throughout.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/platform.h"

namespace bench {

class DrawnDesktop {
public:
    DrawnDesktop(int width, int height, std::uint32_t seed) : random_(seed) {
        image_.width = width;
        image_.height = height;
        image_.rowSize = (3 * width + 3) / 4 * 4;
        image_.pixels.assign(static_cast<std::size_t>(image_.rowSize) * static_cast<std::size_t>(height), 0);
        makeFont();
        for (int y = 0; y < height; ++y) fill(0, y, width, 1, mix(0x604020, 0xA08050, 255 * y / height));
        for (int k = 0; k < 3; ++k) window(below(width / 3), below(height / 3), width / 2 + below(width / 3),
                                           height / 2 + below(height / 3));
        taskbar();
    }

    const ml::ScreenImage& image() const { return image_; }

    // The colour of pixel (x, y), (0, 0) at the top left.
    std::uint32_t at(int x, int y) const {
        const std::uint8_t* p = &image_.pixels[offset(x, y)];
        return static_cast<std::uint32_t>(p[2] | p[1] << 8 | p[0] << 16);
    }

    // The colours of a rectangle, rows top first.
    std::vector<std::uint32_t> colours(ml::ScreenPoint corner, int width, int height) const {
        std::vector<std::uint32_t> colours;
        for (int y = corner.y; y < corner.y + height; ++y) {
            for (int x = corner.x; x < corner.x + width; ++x) colours.push_back(at(x, y));
        }
        return colours;
    }

    // The top-left corner of a square of the side around the first pixel of full text
    // ink on a page, rows first, 200 pixels or more from the desktop's top and left.
    ml::ScreenPoint textCorner(int side) const {
        for (int y = 200; y < image_.height - side; ++y) {
            for (int x = 200; x < image_.width - side; ++x) {
                if (at(x, y) == kPageInk) return {x - side / 2, y - side / 2};
            }
        }
        return {0, 0};
    }

private:
    static constexpr std::uint32_t kPageInk = 0x202020;
    static constexpr int kGlyphWidth = 7;
    static constexpr int kGlyphHeight = 11;
    static constexpr int kGlyphs = 48;
    // Coverage 0..255 of each glyph pixel.
    using Glyph = std::array<std::uint8_t, kGlyphWidth * kGlyphHeight>;

    ml::ScreenImage image_;
    std::mt19937 random_;
    std::array<Glyph, kGlyphs> font_{};

    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

    static std::uint32_t mix(std::uint32_t from, std::uint32_t to, int share) {
        std::uint32_t mixed = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>(from >> shift & 0xFF), b = static_cast<int>(to >> shift & 0xFF);
            mixed |= static_cast<std::uint32_t>(a + (b - a) * share / 255) << shift;
        }
        return mixed;
    }

    std::size_t offset(int x, int y) const {
        return static_cast<std::size_t>(image_.height - 1 - y) * static_cast<std::size_t>(image_.rowSize) +
               3 * static_cast<std::size_t>(x);
    }

    void put(int x, int y, std::uint32_t colour) {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
        std::uint8_t* p = &image_.pixels[offset(x, y)];
        p[0] = static_cast<std::uint8_t>(colour >> 16);
        p[1] = static_cast<std::uint8_t>(colour >> 8);
        p[2] = static_cast<std::uint8_t>(colour);
    }

    void fill(int x, int y, int width, int height, std::uint32_t colour) {
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column) put(column, row, colour);
        }
    }

    // Strokes of full coverage with half-covered edges, as a smoothed font draws them.
    // The font is the same for every seed.
    void makeFont() {
        std::mt19937 strokes(1234);
        for (Glyph& glyph : font_) {
            for (int stroke = 0; stroke < 2 + static_cast<int>(strokes() % 2); ++stroke) {
                const bool upright = strokes() % 2 == 0;
                const int at = 1 + static_cast<int>(strokes() % (upright ? kGlyphWidth - 2 : kGlyphHeight - 2));
                for (int along = 1; along < (upright ? kGlyphHeight : kGlyphWidth) - 1; ++along) {
                    const int x = upright ? at : along, y = upright ? along : at;
                    glyph[static_cast<std::size_t>(y * kGlyphWidth + x)] = 255;
                    const int edge = upright ? y * kGlyphWidth + x + 1 : (y + 1) * kGlyphWidth + x;
                    auto& soft = glyph[static_cast<std::size_t>(edge)];
                    soft = std::max<std::uint8_t>(soft, 96);
                }
            }
        }
    }

    void glyph(int x, int y, int index, std::uint32_t ink, std::uint32_t paper) {
        const Glyph& g = font_[static_cast<std::size_t>(index)];
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                const int coverage = g[static_cast<std::size_t>(row * kGlyphWidth + column)];
                if (coverage != 0) put(x + column, y + row, mix(paper, ink, coverage));
            }
        }
    }

    // Words of 1 to 9 glyphs until the line is full.
    void line(int x, int y, int width, std::uint32_t ink, std::uint32_t paper) {
        for (int end = x + width - 9 * kGlyphWidth; x < end; x += kGlyphWidth - 1) {
            for (int letters = 1 + below(9); letters > 0; --letters, x += kGlyphWidth) glyph(x, y, below(kGlyphs), ink, paper);
        }
    }

    void icon(int x, int y) {
        const std::uint32_t a = random_() & 0xFFFFFF, b = random_() & 0xFFFFFF;
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 16; ++column) put(x + column, y + row, (row / 4 + column / 4) % 2 ? a : b);
        }
    }

    void window(int x, int y, int width, int height) {
        fill(x, y, width, height, 0x707070);
        for (int row = 1; row < 30; ++row) fill(x + 1, y + row, width - 2, 1, mix(0x6A240A, 0xF0CAA6, 255 * row / 30));
        line(x + 8, y + 10, width / 3, 0xFFFFFF, 0x965A3C);
        fill(x + 1, y + 30, width - 2, 24, 0xF0F0F0);
        line(x + 8, y + 36, width / 2, 0x000000, 0xF0F0F0);
        fill(x + 1, y + 54, width - 2, 28, 0xE4E4E4);
        for (int k = 0; k < 12 && 8 + 24 * k + 16 < width; ++k) icon(x + 8 + 24 * k, y + 60);
        fill(x + 1, y + 82, width - 18, height - 83, 0xFFFFFF);
        for (int row = y + 92; row + kGlyphHeight < y + height - 4; row += 16) {
            line(x + 12, row, width - 40 - below(width / 2), kPageInk, 0xFFFFFF);
        }
        fill(x + width - 17, y + 82, 16, height - 83, 0xDCDCDC);
        fill(x + width - 15, y + 90 + below(std::max(1, height - 200)), 12, 60, 0xA0A0A0);
    }

    void taskbar() {
        const int top = image_.height - 40;
        fill(0, top, image_.width, 40, 0x303030);
        for (int k = 0; k < 8; ++k) icon(60 + 40 * k, top + 12);
        line(image_.width - 120, top + 14, 100, 0xFFFFFF, 0x303030);
    }
};

}  // namespace bench

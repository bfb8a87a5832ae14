// X images turned into the screen image: the 24-bit bottom-up layout with padded
// rows, true-colour formats other than the usual one, and clipping at the edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/posix/x11_image.h"

#include <X11/Xutil.h>

namespace ml {
namespace {

// An X image over caller-owned bytes, set up without a display.
struct TestImage {
    std::vector<char> bytes;
    XImage image{};

    TestImage(int width, int height, int bitsPerPixel, unsigned long red, unsigned long green, unsigned long blue) {
        image.width = width;
        image.height = height;
        image.format = ZPixmap;
        image.byte_order = LSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = LSBFirst;
        image.bitmap_pad = 32;
        image.depth = bitsPerPixel == 32 ? 24 : bitsPerPixel;
        image.bits_per_pixel = bitsPerPixel;
        image.bytes_per_line = (width * bitsPerPixel / 8 + 3) / 4 * 4;
        image.red_mask = red;
        image.green_mask = green;
        image.blue_mask = blue;
        bytes.assign(static_cast<std::size_t>(image.bytes_per_line) * height, 0);
        image.data = bytes.data();
        XInitImage(&image);
    }
    void set(int x, int y, unsigned long pixel) { XPutPixel(&image, x, y, pixel); }
};

ScreenImage BlankScreen(int width, int height) {
    ScreenImage screen;
    screen.width = width;
    screen.height = height;
    screen.rowSize = (3 * width + 3) / 4 * 4;
    screen.pixels.assign(static_cast<std::size_t>(screen.rowSize) * height, 0);
    return screen;
}

TEST(X11Image, PlacesRowsBottomUpInPaddedRows) {
    TestImage source(2, 2, 32, 0xFF0000, 0xFF00, 0xFF);
    source.set(0, 0, 0x112233);
    source.set(1, 0, 0x445566);
    source.set(0, 1, 0x778899);
    ScreenImage screen = BlankScreen(3, 2);  // rows of 9 bytes padded to 12
    CopyImagePixels(source.image, 1, 0, screen);
    const std::vector<std::uint8_t> expected = {
        0, 0, 0, 0x99, 0x88, 0x77, 0, 0, 0, 0, 0, 0,        // bottom row
        0, 0, 0, 0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0, 0,  // top row
    };
    EXPECT_EQ(screen.pixels, expected);
}

TEST(X11Image, PacksLongRowsSixteenPixelsAtATimeAndTheRestOneByOne) {
    // 37 pixels: two blocks of sixteen and five more, placed one pixel in.
    TestImage source(37, 3, 32, 0xFF0000, 0xFF00, 0xFF);
    std::mt19937 random(5);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x) source.set(x, y, random());  // the unused top byte varies too
    }
    ScreenImage screen = BlankScreen(39, 3);
    CopyImagePixels(source.image, 1, 0, screen);
    ScreenImage expected = BlankScreen(39, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 37; ++x) {
            const unsigned long pixel = XGetPixel(&source.image, x, y);
            std::uint8_t* p = &expected.pixels[static_cast<std::size_t>((2 - y) * expected.rowSize + 3 * (x + 1))];
            p[0] = static_cast<std::uint8_t>(pixel);
            p[1] = static_cast<std::uint8_t>(pixel >> 8);
            p[2] = static_cast<std::uint8_t>(pixel >> 16);
        }
    }
    EXPECT_EQ(screen.pixels, expected.pixels);
}

TEST(X11Image, WidensSixteenBitPixels) {
    TestImage source(2, 1, 16, 0xF800, 0x07E0, 0x001F);
    source.set(0, 0, 0xFFFF);
    source.set(1, 0, 0x8410);  // red 16 of 31, green 32 of 63, blue 16 of 31
    ScreenImage screen = BlankScreen(2, 1);
    CopyImagePixels(source.image, 0, 0, screen);
    const std::vector<std::uint8_t> expected = {255, 255, 255, 131, 129, 131, 0, 0};
    EXPECT_EQ(screen.pixels, expected);
}

TEST(X11Image, DropsWhatFallsOutsideTheScreen) {
    TestImage source(3, 3, 32, 0xFF0000, 0xFF00, 0xFF);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) source.set(x, y, static_cast<unsigned long>(0x10 * (y * 3 + x + 1)));
    }
    ScreenImage screen = BlankScreen(2, 2);
    CopyImagePixels(source.image, -1, 1, screen);  // source (1, 0) lands on (0, 1)
    const std::vector<std::uint8_t> expected = {
        0x20, 0, 0, 0x30, 0, 0, 0, 0,  // bottom row: source row 0, columns 1 and 2
        0, 0, 0, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(screen.pixels, expected);

    ScreenImage untouched = BlankScreen(2, 2);
    CopyImagePixels(source.image, 5, 0, untouched);
    CopyImagePixels(source.image, 0, -3, untouched);
    EXPECT_EQ(untouched.pixels, BlankScreen(2, 2).pixels);
}

TEST(X11Image, PalettePixelsStayBlack) {
    TestImage source(2, 1, 8, 0, 0, 0);
    source.set(0, 0, 7);
    ScreenImage screen = BlankScreen(2, 1);
    CopyImagePixels(source.image, 0, 0, screen);
    EXPECT_EQ(screen.pixels, BlankScreen(2, 1).pixels);
}

}  // namespace
}  // namespace ml

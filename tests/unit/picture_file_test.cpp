// Picture files read as template pictures, the same on every build: every common
// bitmap form, PNG files handed to the platform, and every kind of damaged file
// refused without reading past it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "automation/picture_file.h"
#include "fake_desktop.h"
#include "picture_bytes.h"

namespace ml {
namespace {

using picture_bytes::Bitmap;
using picture_bytes::BitmapFile;
using picture_bytes::Bytes;
using picture_bytes::PackRows;

constexpr PictureSize kScreen{1920, 1080};

// The decoded pixels as 0xRRGGBB values, top row first; "refused" when not decoded.
struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colours;
    bool operator==(const Decoded&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Decoded& d) {
    if (!d.ok) return out << "refused";
    out << d.width << "x" << d.height << std::hex;
    for (std::uint32_t c : d.colours) out << " " << c;
    return out;
}

// Bitmaps read the same whatever becomes of transparent pixels: they have none.
Decoded Decode(const Bytes& file, PictureSize largest = kScreen) {
    FakeDesktop desktop;
    TemplateImage image;
    image.width = 7;
    Decoded d;
    d.ok = DecodePicture(file, largest, desktop, image, Transparency::Skipped);
    TemplateImage ignoring;
    EXPECT_EQ(DecodePicture(file, largest, desktop, ignoring, Transparency::Ignored), d.ok);
    EXPECT_EQ(ignoring.pixels, image.pixels);
    d.width = image.width;
    d.height = image.height;
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        EXPECT_EQ(image.pixels[i + 3], 0) << "the fourth byte of pixel " << i / 4;
        const std::uint8_t* p = &image.pixels[i];
        d.colours.push_back(static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0]);
    }
    if (!d.ok) {
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.pixels.empty());
    }
    return d;
}

Decoded Picture(int width, int height, std::vector<std::uint32_t> colours) {
    return {true, width, height, std::move(colours)};
}

const Decoded kRefused{};

// A palette of four colours, and a 3 x 2 picture of its indices, top row first.
const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
const std::vector<std::uint32_t> kTopRow = {1, 2, 3};
const std::vector<std::uint32_t> kBottomRow = {3, 0, 1};
const Decoded kIndexed = Picture(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x000000, 0xFF0000});

// Stored bottom row first unless the height is negative.
Bitmap Indexed(int bits, std::int32_t height = 2) {
    Bitmap b;
    b.width = 3;
    b.height = height;
    b.bits = static_cast<std::uint16_t>(bits);
    b.palette = kPalette;
    b.palette.resize(std::size_t{1} << bits, 0x123456);
    std::vector<std::uint32_t> rows = height > 0 ? kBottomRow : kTopRow;
    const std::vector<std::uint32_t>& second = height > 0 ? kTopRow : kBottomRow;
    rows.insert(rows.end(), second.begin(), second.end());
    b.pixels = PackRows(3, bits, rows);
    return b;
}

TEST(PictureFile, PalettePicturesInBothRowOrders) {
    for (int bits : {4, 8}) {
        Bitmap b = Indexed(bits);
        EXPECT_EQ(Decode(BitmapFile(b)), kIndexed) << bits << " bits";
        EXPECT_EQ(Decode(BitmapFile(Indexed(bits, -2))), kIndexed) << bits << " bits, top row first";
        // A palette may be shorter than its pixels could index.
        b.coloursUsed = 4;
        b.palette.resize(4);
        EXPECT_EQ(Decode(BitmapFile(b)), kIndexed) << bits << " bits, four colours";
    }
}

// Ten pixels: the row spans two bytes and is padded to four.
Bitmap OneBit(std::int32_t height = 1) {
    Bitmap b;
    b.width = 10;
    b.height = height;
    b.bits = 1;
    b.palette = {0x000000, 0xFFFFFF};
    b.pixels = {0b10000001, 0b01000000, 0, 0};
    return b;
}

TEST(PictureFile, OnePixelABitSpansBytesLeftmostPixelHighest) {
    const Decoded expected = Picture(10, 1, {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0xFFFFFF, 0, 0xFFFFFF});
    EXPECT_EQ(Decode(BitmapFile(OneBit())), expected);
    EXPECT_EQ(Decode(BitmapFile(OneBit(-1))), expected);
}

TEST(PictureFile, OS2CoreHeaderHasSixteenBitSidesAndThreeBytePaletteEntries) {
    Bitmap b = Indexed(8);
    b.headerSize = 12;
    EXPECT_EQ(Decode(BitmapFile(b)), kIndexed);
    Bitmap direct;
    direct.headerSize = 12;
    direct.width = 1;
    direct.height = 1;
    direct.pixels = {0x30, 0x20, 0x10, 0};
    EXPECT_EQ(Decode(BitmapFile(direct)), Picture(1, 1, {0x102030}));
}

// Two pixels: (red 31, green 0, blue 16) and (red 1, green 31 or 63, blue 0).
TEST(PictureFile, SixteenBitPixelsSpreadTheirChannelsOverTheWholeRange) {
    Bitmap plain;
    plain.width = 2;
    plain.height = 1;
    plain.bits = 16;
    plain.pixels = PackRows(2, 16, {31u << 10 | 16, 1u << 10 | 31u << 5});
    EXPECT_EQ(Decode(BitmapFile(plain)), Picture(2, 1, {0xFF0084, 0x08FF00}));
    Bitmap fields = plain;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = PackRows(2, 16, {31u << 11 | 16, 1u << 11 | 63u << 5});
    for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
        fields.headerSize = header;
        EXPECT_EQ(Decode(BitmapFile(fields)), Picture(2, 1, {0xFF0084, 0x08FF00})) << header;
    }
}

TEST(PictureFile, TwentyFourAndThirtyTwoBitPixelsUnderEveryInfoHeader) {
    const Decoded expected = Picture(3, 2, {0x0D0C0B, 0x100F0E, 0x131211, 0x030201, 0x060504, 0x090807});
    Bitmap b;
    b.width = 3;
    b.height = 2;
    b.pixels = PackRows(3, 24, {0x030201, 0x060504, 0x090807, 0x0D0C0B, 0x100F0E, 0x131211});
    EXPECT_EQ(Decode(BitmapFile(b)), expected);
    b.bits = 32;
    // The fourth byte of a plain 32-bit pixel is not a channel.
    b.pixels = PackRows(3, 32, {0x99030201, 0x99060504, 0x99090807, 0x990D0C0B, 0x99100F0E, 0x99131211});
    EXPECT_EQ(Decode(BitmapFile(b)), expected);
    // Masks in another order: red in the lowest byte, the top byte unused.
    b.compression = 3;
    b.masks = {0x0000FF, 0x00FF00, 0xFF0000};
    b.pixels = PackRows(3, 32, {0x010203, 0x040506, 0x070809, 0x0B0C0D, 0x0E0F10, 0x111213});
    for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
        b.headerSize = header;
        EXPECT_EQ(Decode(BitmapFile(b)), expected) << header;
    }
    // A channel of more than eight bits keeps its highest eight.
    b.masks = {0xFFC00000, 0x003FF000, 0x00000FFC};
    b.width = 1;
    b.height = 1;
    b.pixels = PackRows(1, 32, {0x12u << 24 | 0x34u << 14 | 0x56u << 4});
    EXPECT_EQ(Decode(BitmapFile(b)), Picture(1, 1, {0x123456}));
}

// A 4 x 3 picture: runs, a move, an absolute stretch, row ends and the end code.
TEST(PictureFile, RunLengthCodedEightBitPictures) {
    Bitmap b;
    b.width = 4;
    b.height = 3;
    b.bits = 8;
    b.compression = 1;
    b.coloursUsed = 4;
    b.palette = kPalette;
    b.pixels = {
        2, 1, 2, 2, 0, 0,         // bottom row: 1 1 2 2
        0, 2, 1, 0,               // move one right: (1, 1)
        0, 3, 3, 2, 1, 0,         // three pixels given one by one, padded to an even count
        0, 0,                     // row end: (0, 2)
        0, 2, 3, 0,               // move three right; the top row's first three stay black
        1, 3, 0, 1,               // one pixel, then the end
    };
    EXPECT_EQ(Decode(BitmapFile(b)), Picture(4, 3, {0, 0, 0, 0x0000FF,
                                                    0, 0x0000FF, 0x00FF00, 0xFF0000,
                                                    0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00}));
    // The end code may come early: what it leaves is black.
    b.pixels = {4, 3, 0, 1};
    EXPECT_EQ(Decode(BitmapFile(b)), Picture(4, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(PictureFile, RunLengthCodedFourBitPicturesAlternateTheHalvesOfARunsByte) {
    Bitmap b;
    b.width = 5;
    b.height = 2;
    b.bits = 4;
    b.compression = 2;
    b.coloursUsed = 4;
    b.palette = kPalette;
    b.pixels = {
        5, 0x12, 0, 0,            // bottom row: 1 2 1 2 1
        0, 2, 1, 0,               // move one right
        0, 3, 0x31, 0x20,         // three pixels given: 3 1 2
        0, 1,
    };
    EXPECT_EQ(Decode(BitmapFile(b)), Picture(5, 2, {0, 0x0000FF, 0xFF0000, 0x00FF00, 0,
                                                    0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000}));
}

TEST(PictureFile, PngFilesGoToThePlatformWhichMustGiveTheSizeTheHeaderStates) {
    picture_bytes::Png png;
    png.width = 2;
    png.height = 1;
    png.rows = {1, 2, 3, 4, 5, 6};
    const Bytes file = picture_bytes::PngFile(png);
    FakeDesktop desktop;
    desktop.pngImage = {2, 1, {10, 20, 30, 255, 40, 50, 60, 255}};
    TemplateImage image;
    ASSERT_TRUE(DecodePicture(file, kScreen, desktop, image, Transparency::Ignored));
    EXPECT_EQ(image.pixels, (Bytes{10, 20, 30, 0, 40, 50, 60, 0}));
    EXPECT_EQ(desktop.log, (std::vector<std::string>{"png decode " + std::to_string(file.size())}));

    desktop.pngImage = {1, 2, {10, 20, 30, 0, 40, 50, 60, 0}};
    EXPECT_FALSE(DecodePicture(file, kScreen, desktop, image, Transparency::Ignored));
    desktop.pngDecodable = false;
    desktop.pngImage = {2, 1, {10, 20, 30, 0, 40, 50, 60, 0}};
    EXPECT_FALSE(DecodePicture(file, kScreen, desktop, image, Transparency::Skipped));
    EXPECT_TRUE(image.pixels.empty());

    // Too wide for the screen: the platform is never asked.
    desktop.log.clear();
    EXPECT_FALSE(DecodePicture(file, {1, 1080}, desktop, image, Transparency::Ignored));
    EXPECT_TRUE(desktop.log.empty());
}

// Only a pixel of no opacity at all is left out of a search; a faint one is searched
// for by its colour.
TEST(PictureFile, FullyTransparentPngPixelsKeepTheirColourOrTakeTheSkipColour) {
    picture_bytes::Png png;
    png.width = 3;
    png.height = 1;
    png.colourType = 6;
    png.rows = Bytes(12, 0);
    const Bytes file = picture_bytes::PngFile(png);
    FakeDesktop desktop;
    desktop.pngImage = {3, 1, {10, 20, 30, 0, 40, 50, 60, 1, 70, 80, 90, 255}};
    TemplateImage image;
    ASSERT_TRUE(DecodePicture(file, kScreen, desktop, image, Transparency::Ignored));
    EXPECT_EQ(image.pixels, (Bytes{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}));
    ASSERT_TRUE(DecodePicture(file, kScreen, desktop, image, Transparency::Skipped));
    EXPECT_EQ(image.pixels, (Bytes{0xEA, 0xEA, 0xEA, 0, 40, 50, 60, 0, 70, 80, 90, 0}));
}

TEST(PictureFile, TheSizeIsKnownFromTheHeadersAlone) {
    Bitmap b = Indexed(8);
    b.width = 2000;
    b.height = -700;
    b.pixels.clear();
    const Bytes head = BitmapFile(b);
    PictureSize size;
    ASSERT_TRUE(ReadPictureSize(head, size));
    EXPECT_EQ(size.width, 2000);
    EXPECT_EQ(size.height, 700);
    b.headerSize = 12;
    b.height = 30;
    const Bytes core = BitmapFile(b);
    ASSERT_TRUE(ReadPictureSize(Bytes(core.begin(), core.begin() + 26), size));
    EXPECT_EQ(size.width, 2000);
    EXPECT_EQ(size.height, 30);
    picture_bytes::Png png;
    png.width = 70000 - 65536;
    png.height = 3;
    const Bytes pngFile = picture_bytes::PngFile(png);
    ASSERT_TRUE(ReadPictureSize(Bytes(pngFile.begin(), pngFile.begin() + 24), size));
    EXPECT_EQ(size.width, 70000 - 65536);
    EXPECT_EQ(size.height, 3);
    for (const Bytes& start : {Bytes{}, Bytes{'B', 'M'}, Bytes(pngFile.begin(), pngFile.begin() + 23),
                               Bytes{'n', 'o', 't', 'e', 's'}}) {
        EXPECT_FALSE(ReadPictureSize(start, size));
    }
}

// A coded picture of 65535 x 65535 pixels in 60 bytes: refused before any memory is
// taken for it, and refused by its header too when it would fit.
TEST(PictureFile, APictureLargerThanAllowedIsRefusedBeforeItsPixelsAreRead) {
    Bitmap b = Indexed(8);
    b.width = 0xFFFF;
    b.height = 0xFFFF;
    b.compression = 1;
    b.pixels = {0, 1};
    EXPECT_EQ(Decode(BitmapFile(b)), kRefused);
    EXPECT_EQ(Decode(BitmapFile(Indexed(8)), {3, 1}), kRefused);
    EXPECT_EQ(Decode(BitmapFile(Indexed(8)), {2, 2}), kRefused);
    EXPECT_EQ(Decode(BitmapFile(Indexed(8)), {3, 2}), kIndexed);
}

// Each of these changes makes the file damaged or of a form not read; none may decode.
TEST(PictureFile, DamagedAndUnreadFilesAreRefused) {
    const auto with = [](Bitmap b, auto change) {
        change(b);
        return BitmapFile(b);
    };
    const auto patched = [](Bytes file, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return file;
    };
    const Bitmap good = Indexed(8);
    const Bytes file = BitmapFile(good);
    Bitmap rle = good;
    rle.compression = 1;
    rle.pixels = {3, 1, 0, 0, 3, 2, 0, 1};
    ASSERT_TRUE(Decode(BitmapFile(rle)).ok);
    const auto coded = [&](Bytes codes) {
        Bitmap b = rle;
        b.pixels = std::move(codes);
        return BitmapFile(b);
    };
    Bitmap fields;
    fields.width = 1;
    fields.height = 1;
    fields.bits = 16;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = {0, 0, 0, 0};
    const Bytes fieldsFile = BitmapFile(fields);
    ASSERT_TRUE(Decode(fieldsFile).ok);

    const std::vector<std::pair<const char*, Bytes>> bad = {
        {"header only", Bytes(file.begin(), file.begin() + 54)},
        {"headers and palette only", Bytes(file.begin(), file.end() - static_cast<std::ptrdiff_t>(good.pixels.size()))},
        {"last row cut short", Bytes(file.begin(), file.end() - 1)},
        {"no BM", patched(file, 0, 0x4D58)},
        {"header size 16", patched(file, 14, 16)},
        {"header size 64", patched(file, 14, 64)},
        {"header size past the file", patched(file, 14, 0xFFFFFFFF)},
        {"pixels inside the palette", patched(file, 10, 54 + 4)},
        {"pixels past the end", patched(file, 10, static_cast<std::uint32_t>(file.size()) + 1)},
        {"pixels at 2^32 - 16", patched(file, 10, 0xFFFFFFF0)},
        {"width 0", patched(file, 18, 0)},
        {"width -1", patched(file, 18, 0xFFFFFFFF)},
        {"width 65536", patched(file, 18, 0x10000)},
        {"height 0", patched(file, 22, 0)},
        {"height -2^31", patched(file, 22, 0x80000000)},
        {"height -65536", patched(file, 22, 0xFFFF0000)},
        {"two planes", patched(file, 26, 0x00080002)},
        {"2 bits", patched(file, 26, 0x00020001)},
        {"64 bits", patched(file, 26, 0x00400001)},
        {"JPEG inside", patched(file, 30, 4)},
        {"PNG inside", patched(file, 30, 5)},
        {"more colours than indices", with(Indexed(4), [](Bitmap& b) { b.coloursUsed = 17; })},
        {"palette past the end", with(good, [](Bitmap& b) { b.palette.resize(100); b.pixels.clear(); })},
        {"index beyond the palette", with(good, [](Bitmap& b) { b.coloursUsed = 3; b.palette.resize(3); })},
        {"masks cut off", Bytes(fieldsFile.begin(), fieldsFile.begin() + 60)},
        {"mask of scattered bits", with(fields, [](Bitmap& b) { b.masks[0] = 0xF001; })},
        {"mask beyond 16 bits", with(fields, [](Bitmap& b) { b.masks[0] = 0x1F800; })},
        {"masks for 24 bits", with(fields, [](Bitmap& b) { b.bits = 24; })},
        {"OS/2 header with 16 bits", with(fields, [](Bitmap& b) { b.headerSize = 12; b.compression = 0; })},
        {"run-length coded, top row first", with(rle, [](Bitmap& b) { b.height = -2; })},
        {"RLE8 of 4 bits", with(rle, [](Bitmap& b) { b.bits = 4; b.palette.resize(16); })},
        {"RLE4 of 8 bits", with(rle, [](Bitmap& b) { b.compression = 2; })},
        {"run past the row", coded({4, 1, 0, 1})},
        {"given pixels past the row", coded({0, 4, 1, 1, 1, 1, 0, 1})},
        {"run above the picture", coded({0, 0, 0, 0, 1, 1, 0, 1})},
        {"move past the row", coded({0, 2, 4, 0, 0, 1})},
        {"move above the picture", coded({0, 2, 0, 3, 0, 1})},
        {"row end above the picture", coded({0, 0, 0, 0, 0, 0, 0, 1})},
        {"no end code", coded({3, 1, 0, 0, 3, 2})},
        {"move cut short", coded({0, 2, 1})},
        {"given pixels cut short", coded({0, 3, 1, 1})},
        {"coded index beyond the palette", with(rle, [](Bitmap& b) { b.coloursUsed = 2; b.palette.resize(2); })},
    };
    for (const auto& [name, bytes] : bad) EXPECT_EQ(Decode(bytes), kRefused) << name;
}

// Whatever the length at which a file is cut, the cut file is refused.
TEST(PictureFile, EveryCutOfAFileIsRefused) {
    Bitmap rle = Indexed(8);
    rle.compression = 1;
    rle.pixels = {3, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
    Bitmap core = Indexed(4);
    core.headerSize = 12;
    Bitmap fields;
    fields.headerSize = 124;
    fields.width = 2;
    fields.height = -2;
    fields.bits = 32;
    fields.compression = 3;
    fields.masks = {0xFF0000, 0xFF00, 0xFF};
    fields.pixels = PackRows(2, 32, {1, 2, 3, 4});
    for (const Bytes& file : {BitmapFile(OneBit(-1)), BitmapFile(rle), BitmapFile(core), BitmapFile(fields)}) {
        ASSERT_TRUE(Decode(file).ok);
        for (std::size_t length = 0; length < file.size(); ++length) {
            EXPECT_EQ(Decode(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length))), kRefused)
                << length << " of " << file.size();
        }
    }
}

}  // namespace
}  // namespace ml

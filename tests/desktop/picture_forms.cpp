// Writes the target window's 16 x 16 pattern (or a part of it) as picture files of
// every form ~Lib.FindRGB reads, into the current folder, so that a desktop test
// searches the screen for each and every build must give the same answers:
//   picture_forms
// The files, by name: pattern24.bmp, pattern32_top_down.bmp, pattern8.bmp,
// pattern8_os2.bmp, pattern_rle8.bmp (the whole pattern); pattern4.bmp and
// pattern_rle4.bmp (its 4 x 4 block from (4, 8)); pattern1.bmp (its pixel (5, 5) amid
// "match anything" pixels); pattern555.bmp, pattern565.bmp, pattern_v5.bmp;
// pattern.png, pattern_palette.png, pattern_rgba16.png; pattern_holes.png (every third
// pixel fully transparent, holding the opposite of its colour); too_wide.bmp (2000 x 1) and
// too_large_rle.bmp (65535 x 65535 in a few bytes); header_only.bmp (no pixels).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "picture_bytes.h"
#include "target_picture.h"

namespace {

using namespace ml::picture_bytes;

constexpr std::uint32_t kSkip = 0xEAEAEA;

std::uint32_t Colour(int x, int y) {
    const Rgb c = PatternColour(x, y);
    return static_cast<std::uint32_t>(c.red) << 16 | static_cast<std::uint32_t>(c.green) << 8 |
           static_cast<std::uint32_t>(c.blue);
}

bool Write(const std::string& name, const Bytes& bytes) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// The pixels of a side x side block from (left, top), rows in the order asked for,
// each turned into what the file stores.
template <class Convert>
std::vector<std::uint32_t> Block(int left, int top, int side, bool bottomUp, Convert convert) {
    std::vector<std::uint32_t> values;
    for (int row = 0; row < side; ++row) {
        const int y = top + (bottomUp ? side - 1 - row : row);
        for (int x = left; x < left + side; ++x) values.push_back(convert(x, y));
    }
    return values;
}

Bitmap Direct(int bits, bool bottomUp) {
    Bitmap b;
    b.width = kPatternSide;
    b.height = bottomUp ? kPatternSide : -kPatternSide;
    b.bits = static_cast<std::uint16_t>(bits);
    b.pixels = PackRows(kPatternSide, bits, Block(0, 0, kPatternSide, bottomUp, Colour));
    return b;
}

// Index n of the palette is pixel (n % side, n / side) of the block.
Bitmap Indexed(int left, int top, int side, int bits) {
    Bitmap b;
    b.width = side;
    b.height = side;
    b.bits = static_cast<std::uint16_t>(bits);
    for (int n = 0; n < side * side; ++n) b.palette.push_back(Colour(left + n % side, top + n / side));
    b.pixels = PackRows(side, bits, Block(0, 0, side, true, [side](int x, int y) {
        return static_cast<std::uint32_t>(y * side + x);
    }));
    return b;
}

// Every row given pixel by pixel (the pattern has no two alike), then the row end.
Bitmap RunLengths(int left, int top, int side, int bits) {
    Bitmap b = Indexed(left, top, side, bits);
    b.compression = bits == 8 ? 1 : 2;
    b.pixels.clear();
    for (int y = side - 1; y >= 0; --y) {
        b.pixels.insert(b.pixels.end(), {0, static_cast<std::uint8_t>(side)});
        for (int x = 0; x < side; x += 8 / bits) {
            const int index = y * side + x;
            b.pixels.push_back(static_cast<std::uint8_t>(bits == 8 ? index : index << 4 | (index + 1)));
        }
        if (b.pixels.size() % 2 != 0) b.pixels.push_back(0);
        b.pixels.insert(b.pixels.end(), {0, 0});
    }
    b.pixels.insert(b.pixels.end(), {0, 1});
    return b;
}

// A channel of c bits holding the high bits of an 8-bit value v.
std::uint32_t Bits(int v, int c) { return static_cast<std::uint32_t>(v) >> (8 - c); }

std::uint32_t Pixel555(int x, int y) {
    const Rgb c = PatternColour(x, y);
    return Bits(c.red, 5) << 10 | Bits(c.green, 5) << 5 | Bits(c.blue, 5);
}

std::uint32_t Pixel565(int x, int y) {
    const Rgb c = PatternColour(x, y);
    return Bits(c.red, 5) << 11 | Bits(c.green, 6) << 5 | Bits(c.blue, 5);
}

// Red in the lowest byte, the highest byte unused.
std::uint32_t PixelRgbx(int x, int y) {
    const Rgb c = PatternColour(x, y);
    return static_cast<std::uint32_t>(c.blue) << 16 | static_cast<std::uint32_t>(c.green) << 8 |
           static_cast<std::uint32_t>(c.red);
}

std::vector<std::pair<std::string, Bytes>> Bitmaps() {
    std::vector<std::pair<std::string, Bytes>> files;
    files.emplace_back("pattern24.bmp", BitmapFile(Direct(24, true)));
    files.emplace_back("pattern32_top_down.bmp", BitmapFile(Direct(32, false)));
    files.emplace_back("pattern8.bmp", BitmapFile(Indexed(0, 0, kPatternSide, 8)));
    Bitmap os2 = Indexed(0, 0, kPatternSide, 8);
    os2.headerSize = 12;
    files.emplace_back("pattern8_os2.bmp", BitmapFile(os2));
    files.emplace_back("pattern_rle8.bmp", BitmapFile(RunLengths(0, 0, kPatternSide, 8)));
    files.emplace_back("pattern4.bmp", BitmapFile(Indexed(4, 8, 4, 4)));
    files.emplace_back("pattern_rle4.bmp", BitmapFile(RunLengths(4, 8, 4, 4)));
    Bitmap one;
    one.width = 3;
    one.height = 3;
    one.bits = 1;
    one.palette = {kSkip, Colour(5, 5)};
    one.pixels = PackRows(3, 1, {0, 0, 0, 0, 1, 0, 0, 0, 0});
    files.emplace_back("pattern1.bmp", BitmapFile(one));
    Bitmap plain16 = Direct(16, true);
    plain16.pixels = PackRows(kPatternSide, 16, Block(0, 0, kPatternSide, true, Pixel555));
    files.emplace_back("pattern555.bmp", BitmapFile(plain16));
    Bitmap fields16 = plain16;
    fields16.headerSize = 56;
    fields16.compression = 3;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    fields16.pixels = PackRows(kPatternSide, 16, Block(0, 0, kPatternSide, true, Pixel565));
    files.emplace_back("pattern565.bmp", BitmapFile(fields16));
    Bitmap v5 = Direct(32, true);
    v5.headerSize = 124;
    v5.compression = 3;
    v5.masks = {0x0000FF, 0x00FF00, 0xFF0000};
    v5.pixels = PackRows(kPatternSide, 32, Block(0, 0, kPatternSide, true, PixelRgbx));
    files.emplace_back("pattern_v5.bmp", BitmapFile(v5));
    return files;
}

std::vector<std::pair<std::string, Bytes>> Pngs() {
    std::vector<std::pair<std::string, Bytes>> files;
    Png rgb;
    rgb.width = kPatternSide;
    rgb.height = kPatternSide;
    for (std::uint32_t colour : Block(0, 0, kPatternSide, false, Colour)) {
        rgb.rows.insert(rgb.rows.end(), {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                                         static_cast<std::uint8_t>(colour)});
    }
    files.emplace_back("pattern.png", PngFile(rgb));
    Png palette = rgb;
    palette.colourType = 3;
    palette.palette = Indexed(0, 0, kPatternSide, 8).palette;
    palette.rows.clear();
    for (int n = 0; n < kPatternSide * kPatternSide; ++n) palette.rows.push_back(static_cast<std::uint8_t>(n));
    files.emplace_back("pattern_palette.png", PngFile(palette));
    // Each channel v stored as v * 257, and a half transparency that is not used.
    Png wide = rgb;
    wide.depth = 16;
    wide.colourType = 6;
    wide.rows.clear();
    for (std::size_t at = 0; at < rgb.rows.size(); at += 3) {
        for (std::size_t k = 0; k < 3; ++k) wide.rows.insert(wide.rows.end(), {rgb.rows[at + k], rgb.rows[at + k]});
        wide.rows.insert(wide.rows.end(), {0x80, 0x00});
    }
    files.emplace_back("pattern_rgba16.png", PngFile(wide));
    Png holes = rgb;
    holes.colourType = 6;
    holes.rows.clear();
    for (std::size_t at = 0, n = 0; at < rgb.rows.size(); at += 3, ++n) {
        const bool hole = n % 3 == 0;
        for (std::size_t k = 0; k < 3; ++k) {
            holes.rows.push_back(static_cast<std::uint8_t>(hole ? 255 - rgb.rows[at + k] : rgb.rows[at + k]));
        }
        holes.rows.push_back(hole ? 0 : 0xFF);
    }
    files.emplace_back("pattern_holes.png", PngFile(holes));
    return files;
}

std::vector<std::pair<std::string, Bytes>> Refused() {
    std::vector<std::pair<std::string, Bytes>> files;
    Bitmap wide;
    wide.width = 2000;
    wide.height = 1;
    wide.pixels = Bytes(6000, 0x80);
    files.emplace_back("too_wide.bmp", BitmapFile(wide));
    Bitmap large = Indexed(0, 0, 1, 8);
    large.width = 0xFFFF;
    large.height = 0xFFFF;
    large.compression = 1;
    large.coloursUsed = 1;
    large.pixels = {0, 1};
    files.emplace_back("too_large_rle.bmp", BitmapFile(large));
    Bitmap head = Direct(24, true);
    head.pixels.clear();
    files.emplace_back("header_only.bmp", BitmapFile(head));
    return files;
}

}  // namespace

int main() {
    for (const auto& group : {Bitmaps(), Pngs(), Refused()}) {
        for (const auto& [name, bytes] : group) {
            if (!Write(name, bytes)) {
                std::fprintf(stderr, "picture_forms: cannot write %s\n", name.c_str());
                return 1;
            }
        }
    }
    return 0;
}

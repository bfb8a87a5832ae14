// Cuts a rectangle out of a 24-bit bottom-up bitmap file (as a capture writes it)
// into a new 24-bit bitmap file, or into a PNG file with an alpha channel when the
// target's name ends in .png, so that a desktop test can search for a picture taken
// from the target's own capture. Optionally the first SKIP pixels of the top row are
// left out of the search: painted EAEAEA in a bitmap; in a PNG file fully transparent
// and of the opposite colour, so that only their transparency lets them match.
//   cut_bitmap SOURCE X Y WIDTH HEIGHT TARGET [SKIP]
// Exit status 0 when the file was written, 1 when the rectangle or the source
// does not fit, 2 on wrong usage.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture_bytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHeaders = 54;

std::uint32_t Read32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void Put32(Bytes& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t RowSize(long width) { return static_cast<std::size_t>(3 * width + 3) / 4 * 4; }

// The headers of a width x height 24-bit picture, bottom row first.
Bytes Headers(long width, long height) {
    Bytes b(kHeaders, 0);
    const auto image = static_cast<std::uint32_t>(RowSize(width) * static_cast<std::size_t>(height));
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(kHeaders) + image);
    Put32(b, 10, kHeaders);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    Put32(b, 34, image);
    return b;
}

bool EndsWithPng(const std::string& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, ".png") == 0; }

// The bitmap's rows (bottom row first, padded) as a PNG file of red, green, blue and
// alpha, top row first.
Bytes PngOf(const Bytes& bitmap, long width, long height, long skip) {
    ml::picture_bytes::Png png;
    png.width = static_cast<std::uint32_t>(width);
    png.height = static_cast<std::uint32_t>(height);
    png.colourType = 6;
    const std::size_t row = RowSize(width);
    for (long y = 0; y < height; ++y) {
        const std::size_t start = kHeaders + row * static_cast<std::size_t>(height - 1 - y);
        for (long x = 0; x < width; ++x) {
            const std::uint8_t* pixel = &bitmap[start + 3 * static_cast<std::size_t>(x)];
            const bool hole = y == 0 && x < skip;
            const std::uint8_t flip = hole ? 0xFF : 0;
            png.rows.insert(png.rows.end(), {static_cast<std::uint8_t>(pixel[2] ^ flip),
                                             static_cast<std::uint8_t>(pixel[1] ^ flip),
                                             static_cast<std::uint8_t>(pixel[0] ^ flip),
                                             static_cast<std::uint8_t>(hole ? 0 : 0xFF)});
        }
    }
    return ml::picture_bytes::PngFile(png);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr, "usage: cut_bitmap SOURCE X Y WIDTH HEIGHT TARGET [SKIP]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const Bytes source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const long x = std::atol(argv[2]), y = std::atol(argv[3]);
    const long width = std::atol(argv[4]), height = std::atol(argv[5]);
    const long skip = argc == 8 ? std::atol(argv[7]) : 0;
    if (source.size() < kHeaders || source[0] != 'B' || source[1] != 'M' || source[28] != 24) return 1;
    const long sourceWidth = static_cast<std::int32_t>(Read32(source, 18));
    const long sourceHeight = static_cast<std::int32_t>(Read32(source, 22));
    const std::size_t sourceRow = RowSize(sourceWidth);
    if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > sourceWidth || y + height > sourceHeight ||
        skip < 0 || skip > width || source.size() < kHeaders + sourceRow * static_cast<std::size_t>(sourceHeight)) {
        return 1;
    }
    const bool png = EndsWithPng(argv[6]);
    Bytes target = Headers(width, height);
    const std::size_t targetRow = RowSize(width);
    for (long row = height - 1; row >= 0; --row) {  // bottom row first
        const std::size_t from = kHeaders + sourceRow * static_cast<std::size_t>(sourceHeight - 1 - (y + row)) +
                                 3 * static_cast<std::size_t>(x);
        Bytes line(source.begin() + static_cast<std::ptrdiff_t>(from),
                   source.begin() + static_cast<std::ptrdiff_t>(from + 3 * static_cast<std::size_t>(width)));
        if (row == 0 && !png) std::fill(line.begin(), line.begin() + 3 * skip, 0xEA);
        line.resize(targetRow, 0);
        target.insert(target.end(), line.begin(), line.end());
    }
    if (png) target = PngOf(target, width, height, skip);
    std::ofstream out(argv[6], std::ios::binary);
    out.write(reinterpret_cast<const char*>(target.data()), static_cast<std::streamsize>(target.size()));
    return out ? 0 : 1;
}

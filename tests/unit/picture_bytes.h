// Picture files made byte by byte, for the tests of the picture decoder and for the
// desktop tests that search the screen for them: bitmaps under any header, with any
// palette, masks and pixel coding, and PNG files whose data is stored uncompressed.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ml::picture_bytes {

using Bytes = std::vector<std::uint8_t>;

inline void PutLittle(Bytes& b, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutBig(Bytes& b, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct Bitmap {
    std::uint32_t headerSize = 40;   // 12 (OS/2), 40, 52, 56, 108 or 124
    std::int32_t width = 0;
    std::int32_t height = 0;         // negative: the top row first
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;   // 1 RLE8, 2 RLE4, 3 bit fields
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> palette;     // 0xRRGGBB
    std::array<std::uint32_t, 3> masks{};   // red, green, blue: written with bit fields
    Bytes pixels;                    // as stored: padded rows, or run-length codes
};

// The file, its pixels starting right after the headers, masks and palette.
inline Bytes BitmapFile(const Bitmap& form) {
    const bool core = form.headerSize == 12;
    const bool masksFollow = form.compression == 3 && form.headerSize == 40;
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(form.palette.size()) * (core ? 3 : 4);
    const std::uint32_t offset = 14 + form.headerSize + (masksFollow ? 12 : 0) + paletteBytes;
    Bytes b = {'B', 'M'};
    PutLittle(b, offset + static_cast<std::uint32_t>(form.pixels.size()), 4);
    PutLittle(b, 0, 4);
    PutLittle(b, offset, 4);
    PutLittle(b, form.headerSize, 4);
    const int side = core ? 2 : 4;
    PutLittle(b, static_cast<std::uint32_t>(form.width), side);
    PutLittle(b, static_cast<std::uint32_t>(form.height), side);
    PutLittle(b, 1, 2);
    PutLittle(b, form.bits, 2);
    if (!core) {
        PutLittle(b, form.compression, 4);
        PutLittle(b, static_cast<std::uint32_t>(form.pixels.size()), 4);
        PutLittle(b, 2835, 4);
        PutLittle(b, 2835, 4);
        PutLittle(b, form.coloursUsed, 4);
        PutLittle(b, 0, 4);
        for (std::uint32_t mask : form.masks) PutLittle(b, form.compression == 3 ? mask : 0, 4);
        b.resize(14 + form.headerSize, 0);
    }
    if (masksFollow)
        for (std::uint32_t mask : form.masks) PutLittle(b, mask, 4);
    for (std::uint32_t colour : form.palette) {
        PutLittle(b, colour & 0xFF, 1);
        PutLittle(b, (colour >> 8) & 0xFF, 1);
        PutLittle(b, colour >> 16, 1);
        if (!core) PutLittle(b, 0, 1);
    }
    b.insert(b.end(), form.pixels.begin(), form.pixels.end());
    return b;
}

// Rows of values of `bits` bits each (palette indices, or whole 16-, 24- or 32-bit
// pixels), in the order given, each row padded to whole 32-bit words.
inline Bytes PackRows(int width, int bits, const std::vector<std::uint32_t>& values) {
    Bytes b;
    for (std::size_t start = 0; start < values.size(); start += static_cast<std::size_t>(width)) {
        const std::size_t rowStart = b.size();
        if (bits >= 8) {
            for (int x = 0; x < width; ++x) PutLittle(b, values[start + static_cast<std::size_t>(x)], bits / 8);
        } else {
            for (int x = 0; x < width; ++x) {
                if (x * bits % 8 == 0) b.push_back(0);
                const std::uint32_t value = values[start + static_cast<std::size_t>(x)];
                b.back() |= static_cast<std::uint8_t>(value << (8 - bits - x * bits % 8));
            }
        }
        while ((b.size() - rowStart) % 4 != 0) b.push_back(0);
    }
    return b;
}

inline std::uint32_t Crc32(const Bytes& b, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = from; i < b.size(); ++i) {
        crc ^= b[i];
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

inline void PutChunk(Bytes& file, const std::string& name, const Bytes& data) {
    PutBig(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), name.begin(), name.end());
    file.insert(file.end(), data.begin(), data.end());
    PutBig(file, Crc32(file, start));
}

// A zlib stream of stored blocks: no compression, so no compressor is needed.
inline Bytes StoredZlib(const Bytes& data) {
    Bytes z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(data.size() - at, 65535);
        z.push_back(at + length == data.size() ? 1 : 0);
        PutLittle(z, static_cast<std::uint32_t>(length), 2);
        PutLittle(z, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
        const auto from = data.begin() + static_cast<std::ptrdiff_t>(at);
        z.insert(z.end(), from, from + static_cast<std::ptrdiff_t>(length));
        at += length;
    } while (at < data.size());
    PutBig(z, b << 16 | a);
    return z;
}

struct Png {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t depth = 8;
    std::uint8_t colourType = 2;     // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    std::vector<std::uint32_t> palette;   // 0xRRGGBB
    Bytes transparency;              // the tRNS chunk's data; none when empty
    Bytes rows;                      // the rows as PNG stores them, without filter bytes
};

inline Bytes PngFile(const Png& form) {
    Bytes file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    PutBig(header, form.width);
    PutBig(header, form.height);
    header.insert(header.end(), {form.depth, form.colourType, 0, 0, 0});
    PutChunk(file, "IHDR", header);
    if (!form.palette.empty()) {
        Bytes palette;
        for (std::uint32_t colour : form.palette) {
            palette.insert(palette.end(), {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                                           static_cast<std::uint8_t>(colour)});
        }
        PutChunk(file, "PLTE", palette);
    }
    if (!form.transparency.empty()) PutChunk(file, "tRNS", form.transparency);
    const std::size_t rowBytes = form.height == 0 ? 0 : form.rows.size() / form.height;
    Bytes filtered;
    for (std::size_t y = 0; y < form.height; ++y) {
        filtered.push_back(0);
        filtered.insert(filtered.end(), form.rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes),
                        form.rows.begin() + static_cast<std::ptrdiff_t>((y + 1) * rowBytes));
    }
    PutChunk(file, "IDAT", StoredZlib(filtered));
    PutChunk(file, "IEND", {});
    return file;
}

}  // namespace ml::picture_bytes

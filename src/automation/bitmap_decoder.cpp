#include "automation/bitmap_decoder.h"

#include <bit>
#include <cstdlib>

namespace ml {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;   // OS/2: 16-bit sides, 3-byte palette entries
constexpr std::uint32_t kInfoHeaderSize = 40;
// Sides are 16-bit values wherever a picture is used.
constexpr std::int64_t kSideLimit = 0xFFFF;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The fields of the file header and of the info header; a core header has no
// compression and no palette count.
struct Header {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;   // negative: the top row comes first
    std::uint32_t planes = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t coloursUsed = 0;
    std::uint32_t pixelOffset = 0;
};

bool IsCore(const Header& h) { return h.size == kCoreHeaderSize; }

bool KnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

// The forms read here. Refused: pictures in another format inside a bitmap, 2- and
// 64-bit pixels, a coded picture stored top row first, a palette longer than its
// pixels can index.
bool FormIsRead(const Header& h) {
    const std::int64_t rows = std::llabs(h.height);
    if (h.planes != 1 || h.width < 1 || h.width > kSideLimit || rows < 1 || rows > kSideLimit) return false;
    if (h.bits <= 8 && h.coloursUsed > (1u << h.bits)) return false;
    const bool palette = h.bits == 1 || h.bits == 4 || h.bits == 8;
    switch (h.compression) {
    case kRgb: return palette || h.bits == 24 || (!IsCore(h) && (h.bits == 16 || h.bits == 32));
    case kRle8: return h.bits == 8 && h.height > 0;
    case kRle4: return h.bits == 4 && h.height > 0;
    case kBitFields: return h.bits == 16 || h.bits == 32;
    default: return false;
    }
}

bool ReadHeader(std::span<const std::uint8_t> bytes, Header& h) {
    if (!IsBitmapFile(bytes) || bytes.size() < kFileHeaderSize + 4) return false;
    h.pixelOffset = Read32(bytes, 10);
    h.size = Read32(bytes, 14);
    if (!KnownHeaderSize(h.size) || bytes.size() - kFileHeaderSize < h.size) return false;
    if (IsCore(h)) {
        h.width = Read16(bytes, 18);
        h.height = Read16(bytes, 20);
        h.planes = Read16(bytes, 22);
        h.bits = Read16(bytes, 24);
    } else {
        h.width = static_cast<std::int32_t>(Read32(bytes, 18));
        h.height = static_cast<std::int32_t>(Read32(bytes, 22));
        h.planes = Read16(bytes, 26);
        h.bits = Read16(bytes, 28);
        h.compression = Read32(bytes, 30);
        h.coloursUsed = Read32(bytes, 46);
    }
    return FormIsRead(h);
}

// A channel is one run of bits inside the pixel.
bool MaskIsUsable(std::uint32_t mask, std::uint32_t bits) {
    if (mask == 0) return true;
    if (bits < 32 && mask >> bits != 0) return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

// Plain 16-bit pixels are 5-5-5 and plain 32-bit pixels hold a byte a channel. A
// 40-byte header is followed by the masks; the longer headers hold them.
bool ReadMasks(std::span<const std::uint8_t> bytes, const Header& h, std::size_t& end, BitmapLayout& layout) {
    if (h.compression != kBitFields) {
        layout.masks = h.bits == 16 ? std::array<std::uint32_t, 3>{0x001F, 0x03E0, 0x7C00}
                                    : std::array<std::uint32_t, 3>{0x0000FF, 0x00FF00, 0xFF0000};
        return true;
    }
    constexpr std::size_t at = kFileHeaderSize + kInfoHeaderSize;
    if (h.size == kInfoHeaderSize) {
        if (bytes.size() < at + 12) return false;
        end = at + 12;
    }
    layout.masks = {Read32(bytes, at + 8), Read32(bytes, at + 4), Read32(bytes, at)};
    for (const std::uint32_t mask : layout.masks)
        if (!MaskIsUsable(mask, h.bits)) return false;
    return true;
}

// Without a count the palette has an entry for every index.
bool ReadPalette(std::span<const std::uint8_t> bytes, const Header& h, std::size_t& end, BitmapLayout& layout) {
    if (h.bits > 8) return true;
    const std::size_t count = h.coloursUsed == 0 ? std::size_t{1} << h.bits : h.coloursUsed;
    const std::size_t entry = IsCore(h) ? 3 : 4;
    if (end > bytes.size() || count * entry > bytes.size() - end) return false;
    layout.palette.resize(count);
    for (std::size_t i = 0; i < count; ++i, end += entry) {
        layout.palette[i] = {bytes[end], bytes[end + 1], bytes[end + 2], 0};
    }
    return true;
}

BitmapCoding CodingOf(const Header& h) {
    if (h.compression == kRle8) return BitmapCoding::RunLength8;
    if (h.compression == kRle4) return BitmapCoding::RunLength4;
    return h.bits == 16 || h.bits == 32 ? BitmapCoding::Masks : BitmapCoding::Plain;
}

// Rows are padded to whole 32-bit words.
std::uint64_t RowBytes(const BitmapLayout& layout) {
    return (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bits) + 31) / 32 * 4;
}

// A channel of a few bits is spread over 0..255, so that its largest value is full.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    const int length = std::popcount(mask);
    if (length >= 8) return static_cast<std::uint8_t>(value >> (length - 8));
    const std::uint32_t largest = (1u << length) - 1;
    return static_cast<std::uint8_t>((value * 255 + largest / 2) / largest);
}

void MaskedRow(const std::uint8_t* from, const BitmapLayout& layout, std::uint8_t* to) {
    const std::size_t step = static_cast<std::size_t>(layout.bits) / 8;
    for (int x = 0; x < layout.width; ++x, from += step, to += 4) {
        std::uint32_t pixel = 0;
        for (std::size_t k = 0; k < step; ++k) pixel |= static_cast<std::uint32_t>(from[k]) << (8 * k);
        for (std::size_t k = 0; k < 3; ++k) to[k] = Channel(pixel, layout.masks[k]);
    }
}

// Pixels of 1, 4 or 8 bits, the leftmost in the highest bits of its byte.
bool PaletteRow(const std::uint8_t* from, const BitmapLayout& layout, std::uint8_t* to) {
    const int perByte = 8 / layout.bits;
    const unsigned indexMask = (1u << layout.bits) - 1;
    for (int x = 0; x < layout.width; ++x, to += 4) {
        const int shift = 8 - layout.bits * (x % perByte + 1);
        if (!PutPaletteColour(layout, (from[x / perByte] >> shift) & indexMask, to)) return false;
    }
    return true;
}

bool DecodeRow(const std::uint8_t* from, const BitmapLayout& layout, std::uint8_t* to) {
    if (layout.coding == BitmapCoding::Masks) {
        MaskedRow(from, layout, to);
        return true;
    }
    if (layout.bits <= 8) return PaletteRow(from, layout, to);
    for (int x = 0; x < layout.width; ++x, from += 3, to += 4) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
    }
    return true;
}

}  // namespace

bool IsBitmapFile(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

bool ReadBitmapSize(std::span<const std::uint8_t> start, int& width, int& height) {
    Header h;
    if (!ReadHeader(start, h)) return false;
    width = static_cast<int>(h.width);
    height = static_cast<int>(std::llabs(h.height));
    return true;
}

bool ReadBitmapLayout(std::span<const std::uint8_t> bytes, BitmapLayout& layout) {
    layout = {};
    Header h;
    if (!ReadHeader(bytes, h)) return false;
    std::size_t end = kFileHeaderSize + h.size;
    if (!ReadMasks(bytes, h, end, layout) || !ReadPalette(bytes, h, end, layout)) return false;
    // The pixels start where the file header says, after everything above.
    if (h.pixelOffset < end || h.pixelOffset > bytes.size()) return false;
    layout.width = static_cast<int>(h.width);
    layout.height = static_cast<int>(std::llabs(h.height));
    layout.topDown = h.height < 0;
    layout.bits = static_cast<int>(h.bits);
    layout.coding = CodingOf(h);
    layout.pixelOffset = h.pixelOffset;
    if (layout.coding == BitmapCoding::RunLength8 || layout.coding == BitmapCoding::RunLength4) return true;
    return RowBytes(layout) * static_cast<std::uint64_t>(layout.height) <= bytes.size() - layout.pixelOffset;
}

bool DecodeBitmapPixels(std::span<const std::uint8_t> bytes, const BitmapLayout& layout, TemplateImage& image) {
    const std::span<const std::uint8_t> data = bytes.subspan(layout.pixelOffset);
    if (layout.coding == BitmapCoding::RunLength8 || layout.coding == BitmapCoding::RunLength4) {
        return DecodeRunLengths(data, layout, image);
    }
    const auto rowBytes = static_cast<std::size_t>(RowBytes(layout));
    const std::size_t width = static_cast<std::size_t>(layout.width);
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const int row = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        std::uint8_t* to = image.pixels.data() + 4 * width * static_cast<std::size_t>(row);
        if (!DecodeRow(data.data() + rowBytes * static_cast<std::size_t>(fileRow), layout, to)) return false;
    }
    return true;
}

}  // namespace ml

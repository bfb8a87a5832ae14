#include "platform/posix/bitmap_file.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ml {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
// Template sides are 16-bit values wherever they are used.
constexpr std::int64_t kSideLimit = 0xFFFF;
// A template is a small picture of a button or an icon; a file beyond this size
// is refused instead of being read whole into memory.
constexpr long kFileSizeLimit = 256L * 1024 * 1024;

std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: the top row comes first
    std::uint32_t bytesPerPixel = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t rowSize = 0;
};

// 32-bit pictures may state their channel masks; only the order that matches
// an uncompressed picture (blue in the lowest byte) is read.
bool HasPlainMasks(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t masks = kFileHeaderSize + kInfoHeaderSize;
    return bytes.size() >= masks + 12 && Read32(bytes, masks) == 0xFF0000 && Read32(bytes, masks + 4) == 0xFF00 &&
           Read32(bytes, masks + 8) == 0xFF;
}

bool ReadLayout(std::span<const std::uint8_t> bytes, Layout& layout) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint32_t headerSize = Read32(bytes, 14);
    if (headerSize < kInfoHeaderSize || headerSize > bytes.size() - kFileHeaderSize) return false;
    layout.width = static_cast<std::int32_t>(Read32(bytes, 18));
    layout.height = static_cast<std::int32_t>(Read32(bytes, 22));
    const std::uint32_t planes = Read16(bytes, 26);
    const std::uint32_t bits = Read16(bytes, 28);
    const std::uint32_t compression = Read32(bytes, 30);
    if (layout.width < 1 || layout.width > kSideLimit || layout.height == 0 ||
        std::llabs(layout.height) > kSideLimit || planes != 1) {
        return false;
    }
    const bool plain = compression == kUncompressed || (compression == kBitFields && bits == 32 && HasPlainMasks(bytes));
    if ((bits != 24 && bits != 32) || !plain) return false;
    layout.bytesPerPixel = bits / 8;
    layout.pixelOffset = Read32(bytes, 10);
    layout.rowSize = (static_cast<std::uint64_t>(layout.width) * bits + 31) / 32 * 4;
    const std::uint64_t pixelBytes = layout.rowSize * static_cast<std::uint64_t>(std::llabs(layout.height));
    return layout.pixelOffset >= kFileHeaderSize + headerSize && layout.pixelOffset <= bytes.size() &&
           pixelBytes <= bytes.size() - layout.pixelOffset;
}

}  // namespace

bool DecodeBitmapFile(std::span<const std::uint8_t> bytes, TemplateImage& image) {
    image = {};
    Layout layout;
    if (!ReadLayout(bytes, layout)) return false;
    const auto width = static_cast<std::size_t>(layout.width);
    const auto height = static_cast<std::size_t>(std::llabs(layout.height));
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(4 * width * height, 0);
    for (std::size_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::size_t row = layout.height > 0 ? height - 1 - fileRow : fileRow;
        const std::uint8_t* from = bytes.data() + layout.pixelOffset + fileRow * layout.rowSize;
        std::uint8_t* to = image.pixels.data() + 4 * width * row;
        for (std::size_t x = 0; x < width; ++x, from += layout.bytesPerPixel, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return true;
}

bool LoadBitmapFile(const std::string& path, TemplateImage& image) {
    image = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::vector<std::uint8_t> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size > 0 && size <= kFileSizeLimit && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<std::size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::fclose(file);
    return DecodeBitmapFile(bytes, image);
}

}  // namespace ml

#include "automation/picture_file.h"

#include <algorithm>
#include <array>

#include "automation/bitmap_decoder.h"
#include "automation/search_plan.h"

namespace ml {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::array<std::uint8_t, 4> kPngHeaderName{'I', 'H', 'D', 'R'};
// The signature, the header chunk's length and name, then its width and height.
constexpr std::size_t kPngSizeEnd = 24;
// Sides are 16-bit values wherever a picture is used.
constexpr std::uint32_t kSideLimit = 0xFFFF;

bool IsPngFile(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

std::uint32_t ReadBig32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
}

// The header chunk must come first; its length is fixed.
bool ReadPngSize(std::span<const std::uint8_t> start, PictureSize& size) {
    if (start.size() < kPngSizeEnd || ReadBig32(start, 8) != 13 ||
        !std::equal(kPngHeaderName.begin(), kPngHeaderName.end(), start.begin() + 12)) {
        return false;
    }
    const std::uint32_t width = ReadBig32(start, 16);
    const std::uint32_t height = ReadBig32(start, 20);
    if (width < 1 || width > kSideLimit || height < 1 || height > kSideLimit) return false;
    size = {static_cast<int>(width), static_cast<int>(height)};
    return true;
}

bool Fits(PictureSize size, PictureSize largest) {
    return size.width <= largest.width && size.height <= largest.height;
}

bool DecodeBitmap(std::span<const std::uint8_t> bytes, PictureSize largest, TemplateImage& image) {
    BitmapLayout layout;
    if (!ReadBitmapLayout(bytes, layout) || !Fits({layout.width, layout.height}, largest)) return false;
    image.width = layout.width;
    image.height = layout.height;
    image.pixels.assign(4 * static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height), 0);
    return DecodeBitmapPixels(bytes, layout, image);
}

// The platform's fourth bytes are opacities; a template's are 0.
void SettleOpacity(TemplateImage& image, Transparency transparency) {
    for (std::size_t at = 0; at < image.pixels.size(); at += 4) {
        std::uint8_t* pixel = &image.pixels[at];
        if (transparency == Transparency::Skipped && pixel[3] == 0) {
            pixel[0] = static_cast<std::uint8_t>(kSkipColour >> 16);
            pixel[1] = static_cast<std::uint8_t>(kSkipColour >> 8);
            pixel[2] = static_cast<std::uint8_t>(kSkipColour);
        }
        pixel[3] = 0;
    }
}

// The platform reads the header again: it must find the size checked here, and give
// every pixel of it.
bool DecodePng(std::span<const std::uint8_t> bytes, PictureSize largest, Desktop& desktop, TemplateImage& image,
               Transparency transparency) {
    PictureSize size;
    if (!ReadPngSize(bytes, size) || !Fits(size, largest) || !desktop.decodePng(bytes, image) ||
        image.width != size.width || image.height != size.height ||
        image.pixels.size() != 4 * static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height)) {
        return false;
    }
    SettleOpacity(image, transparency);
    return true;
}

}  // namespace

bool ReadPictureSize(std::span<const std::uint8_t> start, PictureSize& size) {
    if (IsPngFile(start)) return ReadPngSize(start, size);
    return ReadBitmapSize(start, size.width, size.height);
}

bool DecodePicture(std::span<const std::uint8_t> bytes, PictureSize largest, Desktop& desktop, TemplateImage& image,
                   Transparency transparency) {
    image = {};
    const bool decoded = IsPngFile(bytes) ? DecodePng(bytes, largest, desktop, image, transparency)
                                          : DecodeBitmap(bytes, largest, image);
    if (!decoded) image = {};
    return decoded;
}

}  // namespace ml

#include "automation/capture.h"

#include <cstdio>
#include <string_view>

#include "automation/screen_image.h"
#include "core/strings.h"

namespace ml {

namespace {

void Put16(std::uint8_t*& at, std::uint16_t value) {
    *at++ = static_cast<std::uint8_t>(value);
    *at++ = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t*& at, std::uint32_t value) {
    Put16(at, static_cast<std::uint16_t>(value));
    Put16(at, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t ImageSize(const ScreenImage& image) {
    return static_cast<std::uint32_t>(image.rowSize) * static_cast<std::uint32_t>(image.height);
}

bool HasPngExtension(const std::string& file) {
    constexpr std::string_view kExtension = ".png";
    return file.size() >= kExtension.size() &&
           AsciiLower(file.substr(file.size() - kExtension.size())) == kExtension;
}

}  // namespace

std::array<std::uint8_t, kBitmapHeadersSize> BitmapHeaders(const ScreenImage& image) {
    std::array<std::uint8_t, kBitmapHeadersSize> bytes{};
    std::uint8_t* at = bytes.data();
    Put16(at, 0x4D42);                                     // "BM"
    Put32(at, static_cast<std::uint32_t>(kBitmapHeadersSize) + ImageSize(image));
    Put32(at, 0);                                          // two reserved words
    Put32(at, static_cast<std::uint32_t>(kBitmapHeadersSize));
    Put32(at, 40);                                         // information header size
    Put32(at, static_cast<std::uint32_t>(image.width));
    Put32(at, static_cast<std::uint32_t>(image.height));   // positive: bottom row first
    Put16(at, 1);                                          // planes
    Put16(at, 24);                                         // bits a pixel
    Put32(at, 0);                                          // no compression
    Put32(at, ImageSize(image));
    // Resolution and colour-table counts stay 0.
    return bytes;
}

void ScreenCapture(Interp& in, WindowHandle window, const std::string& file) {
    const ScreenImage& image = TakeScreenImage(in, window);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) return;
    const auto headers = BitmapHeaders(image);
    std::fwrite(headers.data(), 1, headers.size(), out);
    std::fwrite(image.pixels.data(), 1, ImageSize(image), out);
    std::fflush(out);
    std::fclose(out);
}

}  // namespace ml

namespace ml {

void ScreenCaptureByName(Interp& in, WindowHandle window, const std::string& file) {
    if (!HasPngExtension(file)) return ScreenCapture(in, window, file);
    // A file that cannot be written is left alone, as with a bitmap.
    in.platform.desktop.writePng(file, TakeScreenImage(in, window));
}

}  // namespace ml

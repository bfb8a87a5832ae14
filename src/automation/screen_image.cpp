#include "automation/screen_image.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>

#include "automation/desktop_access.h"
#include "automation/lib_state.h"

namespace ml {

namespace {

// Screen coordinates are 16-bit throughout, so no sane image is larger.
constexpr int kMaxExtent = 0xFFFF;

// Platforms need not write the bytes that pad each row.
void ZeroPadding(ScreenImage& image) {
    const std::size_t used = 3 * static_cast<std::size_t>(image.width);
    const std::size_t padding = static_cast<std::size_t>(image.rowSize) - used;
    if (padding == 0) return;
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
        std::memset(image.pixels.data() + row * static_cast<std::size_t>(image.rowSize) + used, 0, padding);
    }
}

// Whatever the platform reported, afterwards every pixel inside the declared size lies
// inside the buffer.
void FitScreenImage(ScreenImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxExtent || image.height > kMaxExtent) {
        image = ScreenImage{};
        return;
    }
    const int row = PaddedRow(image.width);
    const auto rows = static_cast<std::size_t>(image.height);
    if (static_cast<std::size_t>(row) > std::numeric_limits<std::size_t>::max() / rows) {
        image = ScreenImage{};
        return;
    }
    // Rows of another layout cannot be read as ours; such an image reads as black.
    if (image.rowSize != row) image.pixels.clear();
    image.rowSize = row;
    const std::size_t bytes = static_cast<std::size_t>(row) * rows;
    if (image.pixels.size() < bytes) image.pixels.resize(bytes, 0);
    ZeroPadding(image);
}

// Keeps the top-left width × height pixels of the image, in its own buffer, whose
// room stays for the next snapshot. Each row moves to a place at or before its own,
// and the rows move in the order of their new places, so none is overwritten before
// it has moved.
void KeepTopLeft(ScreenImage& image, int width, int height) {
    width = std::clamp(width, 0, image.width);
    height = std::clamp(height, 0, image.height);
    if (width == 0 || height == 0) width = height = 0;
    const int row = PaddedRow(width);
    const std::size_t used = 3 * static_cast<std::size_t>(width);
    for (int y = height - 1; y >= 0; --y) {
        std::uint8_t* to = image.pixels.data() + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(row);
        std::memmove(to, ScreenPixel(image, 0, y), used);
        std::memset(to + used, 0, static_cast<std::size_t>(row) - used);
    }
    image.width = width;
    image.height = height;
    image.rowSize = row;
    image.pixels.resize(static_cast<std::size_t>(row) * static_cast<std::size_t>(height));
}

}  // namespace

ScreenPoint ReachSize(Desktop& desktop, Reach reach) {
    if (reach == Reach::Screen) return desktop.screenSize();
    const WindowRect whole = desktop.desktopRect();
    return {whole.width, whole.height};
}

// The size is asked before the snapshot, so that no window takes no snapshot.
const ScreenImage& TakeInsideImage(Interp& in, WindowHandle window) {
    ScreenImage& image = LibStateOf(in).screen;
    Desktop& desktop = DesktopThatCan(in, DesktopAbility::WindowPixels, window);
    ScreenPoint inside;
    if (window != 0 && !desktop.clientSize(window, inside)) {
        KeepTopLeft(image, 0, 0);
        return image;
    }
    desktop.desktopImage(window, image);
    FitScreenImage(image);
    if (window != 0) KeepTopLeft(image, inside.x, inside.y);
    return image;
}

const ScreenImage& TakeScreenImage(Interp& in, WindowHandle window) {
    ScreenImage& image = LibStateOf(in).screen;
    DesktopThatCan(in, DesktopAbility::WindowPixels, window).screenImage(window, image);
    FitScreenImage(image);
    return image;
}

std::int32_t PixelAt(const ScreenImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return 0;
    const std::uint8_t* p = ScreenPixel(image, x, y);
    return p[2] + 256 * p[1] + 65536 * p[0];
}

}  // namespace ml

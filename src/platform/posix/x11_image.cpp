#include "platform/posix/x11_image.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace ml {

namespace {

// How one colour channel sits in an X pixel value.
struct ChannelMask {
    unsigned long mask;
    int shift = 0;
    int bits = 0;

    explicit ChannelMask(unsigned long m) : mask(m) {
        while (m != 0 && (m & 1) == 0) {
            m >>= 1;
            ++shift;
        }
        while (m & 1) {
            m >>= 1;
            ++bits;
        }
    }

    std::uint8_t of(unsigned long pixel) const {
        const unsigned long value = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
        return static_cast<std::uint8_t>(value * 255 / ((1ul << bits) - 1));
    }
};

// The usual 24- and 32-bit layouts hold blue, green and red in the first three
// bytes already; they are copied without decoding each pixel.
bool IsDirectLayout(const XImage& image) {
    return image.bits_per_pixel == 32 && image.byte_order == LSBFirst && image.red_mask == 0xFF0000 &&
           image.green_mask == 0xFF00 && image.blue_mask == 0xFF;
}

void CopyRowDirect(const XImage& source, int sourceY, int first, int count, std::uint8_t* target) {
    const auto* from = reinterpret_cast<const std::uint8_t*>(source.data) +
                       static_cast<std::size_t>(sourceY) * static_cast<std::size_t>(source.bytes_per_line) +
                       4 * static_cast<std::size_t>(first);
    for (int i = 0; i < count; ++i, from += 4, target += 3) {
        target[0] = from[0];
        target[1] = from[1];
        target[2] = from[2];
    }
}

void CopyRowDecoded(XImage& source, int sourceY, int first, int count, std::uint8_t* target) {
    const ChannelMask red(source.red_mask), green(source.green_mask), blue(source.blue_mask);
    for (int i = 0; i < count; ++i, target += 3) {
        const unsigned long pixel = XGetPixel(&source, first + i, sourceY);
        target[0] = blue.of(pixel);
        target[1] = green.of(pixel);
        target[2] = red.of(pixel);
    }
}

// Sizes the image for the screen and blanks it, keeping the buffer's capacity.
void PrepareImage(int width, int height, ScreenImage& image) {
    image.width = width;
    image.height = height;
    image.rowSize = (3 * width + 3) / 4 * 4;
    image.pixels.assign(static_cast<std::size_t>(image.rowSize) * static_cast<std::size_t>(height), 0);
}

void CopyWindow(Display* display, Window root, Window window, ScreenImage& image) {
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable) return;
    int originX = 0, originY = 0;
    Window child = 0;
    if (Xlib().XTranslateCoordinates(display, window, root, 0, 0, &originX, &originY, &child) == 0) return;
    // The server hands out only what is on the screen; the part of the window
    // there, in window coordinates, is also where it goes in the image.
    const int left = std::max(0, -originX);
    const int top = std::max(0, -originY);
    const int right = std::min({attributes.width, image.width - originX, image.width});
    const int bottom = std::min({attributes.height, image.height - originY, image.height});
    if (left >= right || top >= bottom) return;
    XImage* part = Xlib().XGetImage(display, window, left, top, static_cast<unsigned>(right - left),
                             static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (part == nullptr) return;
    CopyImagePixels(*part, left, top, image);
    XDestroyImage(part);
}

}  // namespace

void CopyImagePixels(XImage& source, int left, int top, ScreenImage& image) {
    // Palette displays would need their colour map; those images stay black.
    if (source.red_mask == 0 || source.green_mask == 0 || source.blue_mask == 0) return;
    const int firstX = std::max(0, -left);
    const int endX = std::min(source.width, image.width - left);
    const int firstY = std::max(0, -top);
    const int endY = std::min(source.height, image.height - top);
    if (firstX >= endX) return;
    const bool direct = IsDirectLayout(source);
    for (int y = firstY; y < endY; ++y) {
        const int row = image.height - 1 - (top + y);
        std::uint8_t* target = image.pixels.data() + static_cast<std::size_t>(row) * image.rowSize +
                               3 * static_cast<std::size_t>(left + firstX);
        if (direct) {
            CopyRowDirect(source, y, firstX, endX - firstX, target);
        } else {
            CopyRowDecoded(source, y, firstX, endX - firstX, target);
        }
    }
}

void CaptureScreen(X11Connection& x11, Window window, ScreenImage& image) {
    Display* display = x11.display();
    if (display == nullptr) {
        PrepareImage(0, 0, image);
        return;
    }
    const int screen = DefaultScreen(display);
    PrepareImage(DisplayWidth(display, screen) & 0xFFFF, DisplayHeight(display, screen) & 0xFFFF, image);
    if (image.pixels.empty()) return;
    if (window != 0) {
        CopyWindow(display, x11.root(), window, image);
        return;
    }
    XImage* screenPixels = Xlib().XGetImage(display, x11.root(), 0, 0, static_cast<unsigned>(image.width),
                                     static_cast<unsigned>(image.height), AllPlanes, ZPixmap);
    if (screenPixels == nullptr) return;
    CopyImagePixels(*screenPixels, 0, 0, image);
    XDestroyImage(screenPixels);
}

}  // namespace ml

#include "platform/posix/x11_image.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The part of the screen image that a snapshot filled: left <= x < right, top <= y < bottom.
struct Filled {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The usual 24- and 32-bit layouts hold blue, green and red in the first three
// bytes already; they are copied without decoding each pixel.
bool IsDirectLayout(const XImage& image) {
    return image.bits_per_pixel == 32 && image.byte_order == LSBFirst && image.red_mask == 0xFF0000 &&
           image.green_mask == 0xFF00 && image.blue_mask == 0xFF;
}

#if defined(__SSE2__)
// The blue, green and red of four 4-byte pixels, packed into the low 12 bytes.
__m128i PackFour(__m128i pixels) {
    const __m128i first = _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF);
    const __m128i second = _mm_set_epi32(0xFFFF, static_cast<int>(0xFF000000), 0xFFFF, static_cast<int>(0xFF000000));
    // Each half now holds two pixels in its low 6 bytes.
    const __m128i halves = _mm_or_si128(_mm_and_si128(pixels, first), _mm_and_si128(_mm_srli_epi64(pixels, 8), second));
    const __m128i lowHalf = _mm_set_epi32(0, 0, -1, -1);
    return _mm_or_si128(_mm_and_si128(halves, lowHalf), _mm_srli_si128(_mm_andnot_si128(lowHalf, halves), 2));
}

// Sixteen pixels, 64 bytes in, 48 out.
void PackSixteen(const std::uint8_t* from, std::uint8_t* to) {
    const __m128i* in = reinterpret_cast<const __m128i*>(from);
    const __m128i a = PackFour(_mm_loadu_si128(in)), b = PackFour(_mm_loadu_si128(in + 1));
    const __m128i c = PackFour(_mm_loadu_si128(in + 2)), d = PackFour(_mm_loadu_si128(in + 3));
    __m128i* out = reinterpret_cast<__m128i*>(to);
    _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
}
#endif

void CopyRowDirect(const XImage& source, int sourceY, int first, int count, std::uint8_t* target) {
    const auto* from = reinterpret_cast<const std::uint8_t*>(source.data) +
                       static_cast<std::size_t>(sourceY) * static_cast<std::size_t>(source.bytes_per_line) +
                       4 * static_cast<std::size_t>(first);
    int i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= count; i += 16, from += 64, target += 48) PackSixteen(from, target);
#endif
    for (; i < count; ++i, from += 4, target += 3) {
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

// Sizes the image for the screen. Its bytes are left as they are: the snapshot
// rewrites them, and blanks what it could not fill.
void SizeImage(int width, int height, ScreenImage& image) {
    image.width = width;
    image.height = height;
    image.rowSize = (3 * width + 3) / 4 * 4;
    image.pixels.resize(static_cast<std::size_t>(image.rowSize) * static_cast<std::size_t>(height));
}

void BlankOutside(const Filled& filled, ScreenImage& image) {
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(image.height - 1 - y) * image.rowSize;
        if (y < filled.top || y >= filled.bottom || filled.left >= filled.right) {
            std::memset(row, 0, static_cast<std::size_t>(image.rowSize));
            continue;
        }
        std::memset(row, 0, 3 * static_cast<std::size_t>(filled.left));
        std::memset(row + 3 * filled.right, 0, static_cast<std::size_t>(image.rowSize - 3 * filled.right));
    }
}

// The drawable's area, through shared memory when the connection can use it.
XImagePtr ReadArea(X11Connection& x11, Drawable drawable, Visual* visual, int depth, const Filled& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    XImagePtr image = x11.sharedMemory().read(x11.display(), drawable, visual, depth, area.left, area.top, width, height);
    if (image) return image;
    return XImagePtr(Xlib().XGetImage(x11.display(), drawable, area.left, area.top, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), AllPlanes, ZPixmap));
}

Filled CopyRoot(X11Connection& x11, ScreenImage& image) {
    Display* display = x11.display();
    const int screen = DefaultScreen(display);
    const Filled whole{0, 0, image.width, image.height};
    const XImagePtr pixels = ReadArea(x11, x11.root(), DefaultVisual(display, screen), DefaultDepth(display, screen), whole);
    if (!pixels || !CopyImagePixels(*pixels, 0, 0, image)) return {};
    return whole;
}

Filled CopyWindow(X11Connection& x11, Window window, ScreenImage& image) {
    Display* display = x11.display();
    XWindowAttributes attributes;
    if (Xlib().XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable) return {};
    int originX = 0, originY = 0;
    Window child = 0;
    if (Xlib().XTranslateCoordinates(display, window, x11.root(), 0, 0, &originX, &originY, &child) == 0) return {};
    // The server hands out only what is on the screen; the part of the window
    // there, in window coordinates, is also where it goes in the image.
    const Filled onScreen{std::max(0, -originX), std::max(0, -originY),
                          std::min({attributes.width, image.width - originX, image.width}),
                          std::min({attributes.height, image.height - originY, image.height})};
    if (onScreen.left >= onScreen.right || onScreen.top >= onScreen.bottom) return {};
    const XImagePtr part = ReadArea(x11, window, attributes.visual, attributes.depth, onScreen);
    if (!part || !CopyImagePixels(*part, onScreen.left, onScreen.top, image)) return {};
    return onScreen;
}

// The part of the screen's rectangle that lies on the screen, at the image's corner.
Filled CopyRootArea(X11Connection& x11, const WindowRect& area, ScreenImage& image) {
    Display* display = x11.display();
    const int screen = DefaultScreen(display);
    const Filled onScreen{std::max(0, area.x), std::max(0, area.y), std::min(image.width, area.x + area.width),
                          std::min(image.height, area.y + area.height)};
    if (onScreen.left >= onScreen.right || onScreen.top >= onScreen.bottom) return {};
    const XImagePtr part =
        ReadArea(x11, x11.root(), DefaultVisual(display, screen), DefaultDepth(display, screen), onScreen);
    const int left = onScreen.left - area.x, top = onScreen.top - area.y;
    if (!part || !CopyImagePixels(*part, left, top, image)) return {};
    return {left, top, left + onScreen.right - onScreen.left, top + onScreen.bottom - onScreen.top};
}

// Sizes the image for the screen; false, with the image empty, without a display.
bool SizeForScreen(X11Connection& x11, ScreenImage& image) {
    Display* display = x11.display();
    if (display == nullptr) {
        image = ScreenImage{};
        return false;
    }
    const int screen = DefaultScreen(display);
    SizeImage(DisplayWidth(display, screen) & 0xFFFF, DisplayHeight(display, screen) & 0xFFFF, image);
    return !image.pixels.empty();
}

}  // namespace

bool CopyImagePixels(XImage& source, int left, int top, ScreenImage& image) {
    // Palette displays would need their colour map; those images stay black.
    if (source.red_mask == 0 || source.green_mask == 0 || source.blue_mask == 0) return false;
    const int firstX = std::max(0, -left);
    const int endX = std::min(source.width, image.width - left);
    const int firstY = std::max(0, -top);
    const int endY = std::min(source.height, image.height - top);
    if (firstX >= endX) return true;
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
    return true;
}

void CaptureScreen(X11Connection& x11, Window window, ScreenImage& image) {
    if (!SizeForScreen(x11, image)) return;
    BlankOutside(window == 0 ? CopyRoot(x11, image) : CopyWindow(x11, window, image), image);
}

void CaptureArea(X11Connection& x11, const WindowRect& area, ScreenImage& image) {
    if (!SizeForScreen(x11, image)) return;
    BlankOutside(CopyRootArea(x11, area, image), image);
}

}  // namespace ml

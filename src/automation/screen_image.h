// The screen image as the lib functions read it: a fresh snapshot per call, made safe
// to address whatever the platform handed back, and the colour and channel rules
// shared by the pixel functions and the image search.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/interp.h"
#include "platform/platform.h"

namespace ml {

// Bytes of one image row: three a pixel, padded with zeros to a multiple of 4.
inline int PaddedRow(int width) { return (3 * width + 3) & ~3; }

// What window 0 shows: the primary monitor, the screen of the lib functions, or the
// whole desktop, every monitor, that the desk functions see.
enum class Reach { Screen, Desktop };

// The width and height of what window 0 shows.
ScreenPoint ReachSize(Desktop& desktop, Reach reach);

// A snapshot of the screen (window 0) or of one window's client area. It holds at
// least rowSize × height bytes in the padded bottom-up layout, the padding zero; bytes
// the platform did not deliver read as black. Scripts poll the screen, so the image
// and its megabytes are the run's own and are reused by the next snapshot.
const ScreenImage& TakeScreenImage(Interp& in, WindowHandle window);

// A snapshot of the whole desktop (window 0), its top-left pixel the desktop's
// corner, or of one window's client area at the area's own size, as far as it lies
// on the desktop; an image of no pixels for no window. It is the same reused image as
// TakeScreenImage's.
const ScreenImage& TakeInsideImage(Interp& in, WindowHandle window);

// The bytes of pixel (x, y), (0, 0) being the top-left corner, of an image that holds
// rowSize × height bytes.
inline const std::uint8_t* ScreenPixel(const ScreenImage& image, int x, int y) {
    return image.pixels.data() + static_cast<std::size_t>(image.height - 1 - y) * static_cast<std::size_t>(image.rowSize) +
           3 * static_cast<std::size_t>(x);
}

// Colour value R + 256 × G + 65536 × B of pixel (x, y), (0, 0) being the top-left
// corner; 0 outside the image.
std::int32_t PixelAt(const ScreenImage& image, int x, int y);

// The values a channel may take to match a reference channel within a tolerance.
struct ChannelRange {
    int low;
    int high;
};
inline ChannelRange Tolerate(int channel, int tolerance) {
    const int low = channel - tolerance;
    const int high = channel + tolerance;
    return {low < 0 ? 0 : low, high > 255 ? 255 : high};
}

}  // namespace ml

#include "automation/pixels.h"

#include "automation/screen_image.h"

namespace ml {

std::int32_t ReadPixel(Interp& in, WindowHandle window, std::uint16_t x, std::uint16_t y) {
    return PixelAt(TakeScreenImage(in, window), x, y);
}

bool CmpPixel(Interp& in, WindowHandle window, std::uint16_t x, std::uint16_t y, std::int32_t colour,
              int tolerance) {
    std::int32_t pixel = ReadPixel(in, window, x, y);
    // Channels come from truncating division, so a colour above 16777215 counts by
    // its low 24 bits and a negative colour by negative channels.
    for (int k = 0; k < 3; ++k, colour /= 256, pixel /= 256) {
        const ChannelRange range = Tolerate(colour % 256, tolerance);
        const int channel = pixel % 256;
        if (channel < range.low || channel > range.high) return false;
    }
    return true;
}

}  // namespace ml

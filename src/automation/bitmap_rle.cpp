// Run-length coded bitmaps. A code pair is either a run (a count, then one byte of
// palette indices repeated) or an escape (a zero, then: 0 end of row, 1 end of
// picture, 2 a move right and up by the next two bytes, 3 and more that many indices
// given one by one, padded to an even number of bytes). Rows are counted from the
// bottom. A run or move that would leave its row or the picture refuses the file, as
// does data that ends before the end-of-picture code.
#include <cstddef>
#include <cstdint>

#include "automation/bitmap_decoder.h"

namespace ml {

namespace {

enum Escape : std::uint8_t { kEndOfRow = 0, kEndOfPicture = 1, kMove = 2 };

// Where the next pixel goes: x from the left, y from the bottom.
struct Cursor {
    int x = 0;
    int y = 0;
};

// The index of pixel `n` of a run: 8-bit pictures repeat the byte, 4-bit pictures
// alternate its high and low halves.
unsigned IndexOf(const std::uint8_t* indices, std::size_t n, bool fourBits, bool repeat) {
    const std::uint8_t byte = repeat ? indices[0] : indices[fourBits ? n / 2 : n];
    if (!fourBits) return byte;
    return n % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Puts `count` pixels at the cursor and moves it past them.
bool PutPixels(const std::uint8_t* indices, std::size_t count, bool repeat, const BitmapLayout& layout,
               Cursor& at, TemplateImage& image) {
    if (at.y >= layout.height || count > static_cast<std::size_t>(layout.width - at.x)) return false;
    const bool fourBits = layout.coding == BitmapCoding::RunLength4;
    const auto row = static_cast<std::size_t>(layout.height - 1 - at.y);
    const auto column = static_cast<std::size_t>(at.x);
    std::uint8_t* pixel = image.pixels.data() + 4 * (row * static_cast<std::size_t>(layout.width) + column);
    for (std::size_t n = 0; n < count; ++n, pixel += 4) {
        if (!PutPaletteColour(layout, IndexOf(indices, n, fourBits, repeat), pixel)) return false;
    }
    at.x += static_cast<int>(count);
    return true;
}

// A move may end on the row above the picture, where only the end code may follow.
bool Move(int right, int up, const BitmapLayout& layout, Cursor& at) {
    at.x += right;
    at.y += up;
    return at.x <= layout.width && at.y <= layout.height;
}

}  // namespace

bool DecodeRunLengths(std::span<const std::uint8_t> data, const BitmapLayout& layout, TemplateImage& image) {
    const bool fourBits = layout.coding == BitmapCoding::RunLength4;
    Cursor at;
    std::size_t next = 0;
    while (data.size() - next >= 2) {
        const std::uint8_t count = data[next];
        const std::uint8_t code = data[next + 1];
        next += 2;
        if (count != 0) {
            if (!PutPixels(&data[next - 1], count, true, layout, at, image)) return false;
        } else if (code == kEndOfPicture) {
            return true;
        } else if (code == kEndOfRow) {
            if (!Move(-at.x, 1, layout, at)) return false;
        } else if (code == kMove) {
            if (data.size() - next < 2 || !Move(data[next], data[next + 1], layout, at)) return false;
            next += 2;
        } else {
            const std::size_t bytes = fourBits ? (code + 1u) / 2 : code;
            const std::size_t padded = bytes + bytes % 2;
            if (data.size() - next < padded || !PutPixels(&data[next], code, false, layout, at, image)) return false;
            next += padded;
        }
    }
    return false;
}

}  // namespace ml

// A template prepared for one search of one screen image: each row as byte ranges in
// the screen's byte order, compared sixteen bytes at a time, and the few pixels tested
// first at every placement, chosen so that they reject most placements at once.
#pragma once

#include <cstdint>
#include <vector>

#include "automation/pixel_ranges.h"
#include "platform/platform.h"

namespace ml {

// Template pixels of this colour (red, green and blue all 234) match anything.
inline constexpr std::int32_t kSkipColour = 0xEAEAEA;

// A template pixel is stored blue, green, red, unused.
inline bool IsSkipPixel(const std::uint8_t* pixel) {
    return (pixel[2] | pixel[1] << 8 | pixel[0] << 16) == kSkipColour;
}

// The template's top-left corners to try: left <= x < right, top <= y < bottom.
struct Placements {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A template pixel (x, y) tested at sixteen placements in one go.
struct FirstTest {
    int x = 0;
    int y = 0;
    PixelRanges ranges{};
};

struct SearchPlan {
    int width = 0;
    int height = 0;
    // The first non-skip pixel, rows first: the search area bounds where it lies.
    int anchorX = 0;
    int anchorY = 0;
    // 3 × width ranges a row, top row first; a skip pixel's ranges admit every byte.
    std::vector<std::uint8_t> low;
    std::vector<std::uint8_t> span;
    // The rows that hold a non-skip pixel, top first.
    std::vector<int> rows;
    // At least one, the most selective first.
    std::vector<FirstTest> firstTests;
};

// Fills the size, anchor, ranges and rows of the plan; false when the template holds
// only skip pixels. The template must hold width × height × 4 bytes.
bool PlanRows(const TemplateImage& picture, int tolerance, SearchPlan& plan);

// Chooses the first tests by trying template pixels at a grid of sampled placements:
// the pixel that matches at the fewest, then the ones that reject most of what it
// leaves. Only the speed of the search depends on the choice, never its result.
void ChooseFirstTests(const TemplateImage& picture, const ScreenImage& screen, const Placements& placements,
                      SearchPlan& plan);

}  // namespace ml

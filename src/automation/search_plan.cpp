#include "automation/search_plan.h"

#include <cstddef>

#include "automation/screen_image.h"

namespace ml {

namespace {

void PlanPixel(const std::uint8_t* pixel, int tolerance, std::uint8_t* low, std::uint8_t* span) {
    for (int k = 0; k < 3; ++k) {
        const ChannelRange range = Tolerate(pixel[k], tolerance);
        low[k] = static_cast<std::uint8_t>(range.low);
        span[k] = static_cast<std::uint8_t>(range.high - range.low);
    }
}

}  // namespace

bool PlanRows(const TemplateImage& picture, int tolerance, SearchPlan& plan) {
    plan.width = picture.width;
    plan.height = picture.height;
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(picture.width);
    // Skip pixels keep these: every byte lies in [0, 0 + 255].
    plan.low.assign(rowBytes * static_cast<std::size_t>(picture.height), 0);
    plan.span.assign(plan.low.size(), 255);
    plan.rows.clear();
    const std::uint8_t* pixel = picture.pixels.data();
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t rowStart = static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < picture.width; ++x, pixel += 4) {
            if (IsSkipPixel(pixel)) continue;
            if (plan.rows.empty()) {
                plan.anchorX = x;
                plan.anchorY = y;
            }
            if (plan.rows.empty() || plan.rows.back() != y) plan.rows.push_back(y);
            const std::size_t at = rowStart + 3 * static_cast<std::size_t>(x);
            PlanPixel(pixel, tolerance, &plan.low[at], &plan.span[at]);
        }
    }
    return !plan.rows.empty();
}

}  // namespace ml

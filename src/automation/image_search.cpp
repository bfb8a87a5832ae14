// Every placement is first put to the plan's first tests, sixteen placements at a
// time; only the few that pass them all are compared row by row. The result is that
// of trying every placement in scan order with every pixel.
#include "automation/image_search.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <vector>

#include "automation/desktop_access.h"
#include "automation/lib_messages.h"
#include "automation/pixel_ranges.h"
#include "automation/screen_image.h"
#include "automation/search_plan.h"
#include "core/errors.h"

namespace ml {

namespace {

// The area bounds the anchor; every placement keeps the template inside the image.
Placements PlacementsOf(const ScreenImage& screen, const SearchPlan& plan, SearchArea area) {
    Placements p;
    p.left = std::max<int>(area.x1, plan.anchorX) - plan.anchorX;
    p.right = std::min<int>(area.x2, screen.width - plan.width + plan.anchorX + 1) - plan.anchorX;
    p.top = std::max<int>(area.y1, plan.anchorY) - plan.anchorY;
    p.bottom = std::min<int>(area.y2, screen.height - plan.height + plan.anchorY + 1) - plan.anchorY;
    return p;
}

// The pixel mask of the count placements from (x, y) rightwards that pass every first test.
std::uint64_t PassFirstTests(const ScreenImage& screen, const SearchPlan& plan, int x, int y, int count) {
    std::uint64_t passed = ~std::uint64_t{0};
    for (const FirstTest& test : plan.firstTests) {
        passed &= PixelsWithin(ScreenPixel(screen, x + test.x, y + test.y), test.ranges, count);
        if (passed == 0) break;
    }
    return passed;
}

bool MatchesAt(const ScreenImage& screen, const SearchPlan& plan, int x, int y) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(plan.width);
    for (const int row : plan.rows) {
        const std::size_t at = static_cast<std::size_t>(row) * rowBytes;
        if (!BytesWithin(ScreenPixel(screen, x, y + row), &plan.low[at], &plan.span[at], rowBytes)) return false;
    }
    return true;
}

// How many of the whole blocks of sixteen placements from pixels on, at most blocks,
// one test rejects entirely. Nothing in the loop writes memory, so the ranges stay in
// registers: this is where a search spends its time.
int RejectedBlocks(const std::uint8_t* pixels, const PixelRanges& ranges, int blocks) {
    int rejected = 0;
    while (rejected < blocks && PixelsWithin(pixels, ranges, kPixelsPerTest) == 0) {
        ++rejected;
        pixels += 3 * kPixelsPerTest;
    }
    return rejected;
}

// The first placement of row y that matches; -1 when none does.
int FirstMatchInRow(const ScreenImage& screen, const SearchPlan& plan, const Placements& placements, int y) {
    const FirstTest& first = plan.firstTests.front();
    const std::uint8_t* firstPixels = ScreenPixel(screen, placements.left + first.x, y + first.y);
    int x = placements.left;
    while (x < placements.right) {
        const int blocks = (placements.right - x) / kPixelsPerTest;
        x += kPixelsPerTest * RejectedBlocks(firstPixels + 3 * (x - placements.left), first.ranges, blocks);
        if (x >= placements.right) break;
        const int count = std::min(kPixelsPerTest, placements.right - x);
        for (std::uint64_t passed = PassFirstTests(screen, plan, x, y, count); passed != 0; passed &= passed - 1) {
            const int at = x + std::countr_zero(passed) / 3;
            if (MatchesAt(screen, plan, at, y)) return at;
        }
        x += count;
    }
    return -1;
}

// A template is a small picture of a button or an icon; no more of a file is read.
constexpr std::size_t kPictureFileLimit = 256 * 1024 * 1024;

}  // namespace

std::optional<ScreenPoint> LocateImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area,
                                       int tolerance) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > screen.width || picture.height > screen.height) {
        return std::nullopt;
    }
    SearchPlan plan;
    if (!PlanRows(picture, tolerance, plan)) return std::nullopt;
    const Placements placements = PlacementsOf(screen, plan, area);
    if (placements.left >= placements.right || placements.top >= placements.bottom) return std::nullopt;
    ChooseFirstTests(picture, screen, placements, plan);
    for (int y = placements.top; y < placements.bottom; ++y) {
        const int x = FirstMatchInRow(screen, plan, placements, y);
        if (x >= 0) return ScreenPoint{x, y};
    }
    return std::nullopt;
}

std::uint32_t SearchImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area, int tolerance) {
    const std::optional<ScreenPoint> corner = LocateImage(screen, picture, area, tolerance);
    if (!corner) return 0;
    return static_cast<std::uint32_t>(corner->y) * 65536u + static_cast<std::uint32_t>(corner->x);
}

// A file that exists but holds no usable picture is as good as missing. A picture
// larger than what window 0 shows (and so than any window's image) is found nowhere: that is
// known from its headers, and its pixels are never read.
bool ReadTemplate(Interp& in, const std::string& file, const MsgPair& missing, Transparency transparency,
                  Reach reach, TemplateImage& picture) {
    Desktop& desktop = in.platform.desktop;
    std::vector<std::uint8_t> bytes;
    PictureSize size;
    if (!desktop.readFileStart(file, kPictureHeadBytes, bytes) || !ReadPictureSize(bytes, size)) {
        Fail(in, Say(in, missing) + file);
    }
    const ScreenPoint screen = ReachSize(UsableDesktop(in), reach);
    if (size.width > screen.x || size.height > screen.y) return false;
    if (!desktop.readFileStart(file, kPictureFileLimit, bytes) ||
        !DecodePicture(bytes, {screen.x, screen.y}, desktop, picture, transparency)) {
        Fail(in, Say(in, missing) + file);
    }
    return true;
}

std::uint32_t FindRGB(Interp& in, WindowHandle window, SearchArea area, const std::string& file, int tolerance) {
    TemplateImage picture;
    if (!ReadTemplate(in, file, kMsgNoPictureFile, Transparency::Ignored, Reach::Screen, picture)) return 0;
    return SearchImage(TakeScreenImage(in, window), picture, area, tolerance);
}

}  // namespace ml

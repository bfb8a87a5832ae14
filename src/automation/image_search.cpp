// The search rejects almost every position after one range test on the anchor pixel,
// so that test and the loops around it work on raw bytes with all bounds and offsets
// computed once per call.
#include "automation/image_search.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

#include "automation/lib_messages.h"
#include "automation/screen_image.h"
#include "core/errors.h"

namespace ml {

namespace {

// The values blue, green and red may take: channel k passes when
// unsigned(s - low[k]) <= span[k], one compare per channel.
struct Bounds {
    std::uint8_t low[3];
    std::uint8_t span[3];
};

// A non-skip template pixel other than the anchor: where its screen pixel lies
// relative to the anchor's screen pixel, and its bounds.
struct Probe {
    std::ptrdiff_t offset;
    Bounds bounds;
};

inline bool Within(const std::uint8_t* p, const Bounds& b) {
    return static_cast<unsigned>(p[0] - b.low[0]) <= static_cast<unsigned>(b.span[0]) &&
           static_cast<unsigned>(p[1] - b.low[1]) <= static_cast<unsigned>(b.span[1]) &&
           static_cast<unsigned>(p[2] - b.low[2]) <= static_cast<unsigned>(b.span[2]);
}

inline bool AllWithin(const std::uint8_t* anchor, const std::vector<Probe>& probes) {
    for (const Probe& probe : probes) {
        if (!Within(anchor + probe.offset, probe.bounds)) return false;
    }
    return true;
}

Bounds BoundsOf(const std::uint8_t* pixel, int tolerance) {
    Bounds b{};
    for (int k = 0; k < 3; ++k) {
        const ChannelRange range = Tolerate(pixel[k], tolerance);
        b.low[k] = static_cast<std::uint8_t>(range.low);
        b.span[k] = static_cast<std::uint8_t>(range.high - range.low);
    }
    return b;
}

inline bool IsSkip(const std::uint8_t* pixel) {
    return (pixel[2] | pixel[1] << 8 | pixel[0] << 16) == kSkipColour;
}

bool FileExists(const std::string& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
}

bool Complete(const TemplateImage& picture) {
    if (picture.width < 0 || picture.height < 0 || picture.width > 0xFFFF || picture.height > 0xFFFF) return false;
    const auto pixels = static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height);
    return picture.pixels.size() / 4 >= pixels;
}

[[noreturn]] void NoPictureFile(Interp& in, const std::string& file) {
    Fail(in, Say(in, kMsgNoPictureFile) + file);
}

}  // namespace

std::uint32_t SearchImage(const ScreenImage& screen, const TemplateImage& picture, SearchArea area, int tolerance) {
    const int tw = picture.width;
    const int th = picture.height;
    if (tw <= 0 || th <= 0 || tw > screen.width || th > screen.height) return 0;

    const std::uint8_t* pixels = picture.pixels.data();
    const std::size_t total = static_cast<std::size_t>(tw) * static_cast<std::size_t>(th);
    std::size_t anchor = 0;
    while (anchor < total && IsSkip(pixels + 4 * anchor)) ++anchor;
    if (anchor == total) return 0;
    const int ax = static_cast<int>(anchor % static_cast<std::size_t>(tw));
    const int ay = static_cast<int>(anchor / static_cast<std::size_t>(tw));

    // Anchor positions at which the whole template lies inside the image.
    const int xBegin = std::max<int>(area.x1, ax);
    const int xEnd = std::min<int>(area.x2, screen.width - tw + ax + 1);
    const int yBegin = std::max<int>(area.y1, ay);
    const int yEnd = std::min<int>(area.y2, screen.height - th + ay + 1);
    if (xBegin >= xEnd || yBegin >= yEnd) return 0;

    const std::ptrdiff_t row = screen.rowSize;
    std::vector<Probe> probes;
    for (std::size_t k = anchor + 1; k < total; ++k) {
        const std::uint8_t* pixel = pixels + 4 * k;
        if (IsSkip(pixel)) continue;
        const int n = static_cast<int>(k % static_cast<std::size_t>(tw));
        const int m = static_cast<int>(k / static_cast<std::size_t>(tw));
        // Rows are stored bottom-up: a row further down the template lies earlier.
        probes.push_back({(ay - m) * row + 3 * (n - ax), BoundsOf(pixel, tolerance)});
    }

    const Bounds first = BoundsOf(pixels + 4 * anchor, tolerance);
    const std::uint8_t* data = screen.pixels.data();
    for (int y = yBegin; y < yEnd; ++y) {
        const std::uint8_t* p = data + (screen.height - 1 - y) * row + 3 * xBegin;
        for (int x = xBegin; x < xEnd; ++x, p += 3) {
            if (Within(p, first) && AllWithin(p, probes)) {
                return static_cast<std::uint32_t>(y - ay) * 65536u + static_cast<std::uint32_t>(x - ax);
            }
        }
    }
    return 0;
}

std::uint32_t FindRGB(Interp& in, WindowHandle window, SearchArea area, const std::string& file,
                      std::int16_t tolerance) {
    CheckTolerance(in, tolerance, kMsgFindRGBTolerance);
    if (!FileExists(file)) NoPictureFile(in, file);
    // A file that exists but holds no usable bitmap is as good as missing.
    TemplateImage picture;
    if (!in.platform.desktop.loadTemplate(file, picture) || !Complete(picture)) NoPictureFile(in, file);
    const ScreenImage screen = TakeScreenImage(in, window);
    return SearchImage(screen, picture, area, tolerance);
}

}  // namespace ml

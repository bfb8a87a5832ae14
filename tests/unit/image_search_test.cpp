// The image search against the plainest reading of its rule, over many generated
// screens and templates, and its range tests against per-byte comparisons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "automation/image_search.h"
#include "automation/pixel_ranges.h"
#include "automation/search_plan.h"

namespace ml {
namespace {

constexpr std::uint32_t kSkip = 0xEAEAEA;

// Pixel colours as R + 256 G + 65536 B, rows top first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colours;

    std::uint32_t& at(int x, int y) { return colours[static_cast<std::size_t>(y * width + x)]; }
    std::uint32_t at(int x, int y) const { return colours[static_cast<std::size_t>(y * width + x)]; }
};

int Channel(std::uint32_t colour, int k) { return static_cast<int>(colour >> (8 * k) & 0xFF); }

ScreenImage ToScreen(const Picture& p) {
    ScreenImage screen;
    screen.width = p.width;
    screen.height = p.height;
    screen.rowSize = (3 * p.width + 3) / 4 * 4;
    screen.pixels.assign(static_cast<std::size_t>(screen.rowSize) * static_cast<std::size_t>(p.height), 0);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            std::uint8_t* pixel = &screen.pixels[static_cast<std::size_t>((p.height - 1 - y) * screen.rowSize + 3 * x)];
            for (int k = 0; k < 3; ++k) pixel[k] = static_cast<std::uint8_t>(Channel(p.at(x, y), 2 - k));
        }
    }
    return screen;
}

TemplateImage ToTemplate(const Picture& p) {
    TemplateImage picture;
    picture.width = p.width;
    picture.height = p.height;
    for (std::uint32_t colour : p.colours) {
        picture.pixels.insert(picture.pixels.end(), {static_cast<std::uint8_t>(Channel(colour, 2)),
                                                     static_cast<std::uint8_t>(Channel(colour, 1)),
                                                     static_cast<std::uint8_t>(Channel(colour, 0)), 0});
    }
    return picture;
}

// Every anchor position of the area in scan order, every non-skip pixel compared.
std::uint32_t ReferenceSearch(const Picture& screen, const Picture& t, SearchArea area, int tolerance) {
    int anchor = 0;
    const int total = t.width * t.height;
    while (anchor < total && t.colours[static_cast<std::size_t>(anchor)] == kSkip) ++anchor;
    if (anchor == total || t.width > screen.width || t.height > screen.height) return 0;
    const int ax = anchor % t.width, ay = anchor / t.width;
    for (int y = std::max<int>(area.y1, ay); y < area.y2 && y - ay + t.height <= screen.height; ++y) {
        for (int x = std::max<int>(area.x1, ax); x < area.x2 && x - ax + t.width <= screen.width; ++x) {
            bool all = true;
            for (int m = 0; m < t.height && all; ++m) {
                for (int n = 0; n < t.width && all; ++n) {
                    if (t.at(n, m) == kSkip) continue;
                    for (int k = 0; k < 3; ++k) {
                        const int want = Channel(t.at(n, m), k);
                        const int got = Channel(screen.at(x - ax + n, y - ay + m), k);
                        all = all && got >= std::max(0, want - tolerance) && got <= std::min(255, want + tolerance);
                    }
                }
            }
            if (all) return static_cast<std::uint32_t>(y - ay) * 65536u + static_cast<std::uint32_t>(x - ax);
        }
    }
    return 0;
}

// Screens and templates of the kinds users meet and of the kinds that break fast
// searches: noise, a few flat colours, flat areas with text-like specks, templates cut
// from the screen (at its edges too), changed slightly, with skip pixels, and flat
// borders around a distinctive middle.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

    Picture screen() {
        Picture p{1 + below(90), 1 + below(40), {}};
        const int kind = below(3);
        const std::vector<std::uint32_t> palette = {colour(), colour(), colour()};
        p.colours.resize(static_cast<std::size_t>(p.width * p.height));
        for (std::uint32_t& c : p.colours) {
            c = kind == 0 ? colour() : kind == 1 ? palette[static_cast<std::size_t>(below(3))] : palette[0];
        }
        if (kind == 2) speckle(p, palette[1], below(20));
        return p;
    }

    Picture picture(const Picture& screen) {
        Picture t{1 + below(std::min(screen.width, 24)), 1 + below(std::min(screen.height, 12)), {}};
        const int kind = below(6);
        if (kind == 5) return flatBorder(t, screen);
        t.colours.resize(static_cast<std::size_t>(t.width * t.height));
        if (kind == 4) {
            for (std::uint32_t& c : t.colours) c = colour();
        } else {
            cut(screen, t);
        }
        if (below(2) == 0) speckle(t, kSkip, below(t.width * t.height + 1));
        if (kind == 3) nudge(t);
        return t;
    }

    SearchArea area(const Picture& screen) {
        if (below(2) == 0) return {0, 0, 65535, 65535};
        const auto x1 = static_cast<std::uint16_t>(below(screen.width + 1));
        const auto y1 = static_cast<std::uint16_t>(below(screen.height + 1));
        return {x1, y1, static_cast<std::uint16_t>(x1 + below(screen.width + 2)),
                static_cast<std::uint16_t>(y1 + below(screen.height + 2))};
    }

    int tolerance() { return below(2) == 0 ? 0 : below(101); }

private:
    std::mt19937 random_;

    std::uint32_t colour() { return random_() & 0xFFFFFF; }

    void speckle(Picture& p, std::uint32_t with, int count) {
        for (int i = 0; i < count; ++i) p.at(below(p.width), below(p.height)) = with;
    }

    // A template cut from the screen, at its edges one time in three.
    void cut(const Picture& screen, Picture& t) {
        const int maxX = screen.width - t.width, maxY = screen.height - t.height;
        const int left = below(3) == 0 ? maxX * below(2) : below(maxX + 1);
        const int top = below(3) == 0 ? maxY * below(2) : below(maxY + 1);
        for (int y = 0; y < t.height; ++y) {
            for (int x = 0; x < t.width; ++x) t.at(x, y) = screen.at(left + x, top + y);
        }
    }

    // One channel of one pixel moved by up to 40 either way: inside or outside the tolerance.
    void nudge(Picture& t) {
        std::uint32_t& c = t.at(below(t.width), below(t.height));
        const int k = below(3);
        const int moved = std::clamp(Channel(c, k) + below(81) - 40, 0, 255);
        c = (c & ~(0xFFu << (8 * k))) | static_cast<std::uint32_t>(moved) << (8 * k);
    }

    // In the screen's own colours: its first pixel's around one of its pixels'.
    Picture flatBorder(Picture t, const Picture& screen) {
        const std::uint32_t border = screen.at(0, 0), middle = screen.at(below(screen.width), below(screen.height));
        t.colours.assign(static_cast<std::size_t>(t.width * t.height), border);
        for (int y = t.height / 3; y < t.height - t.height / 3; ++y) {
            for (int x = t.width / 3; x < t.width - t.width / 3; ++x) t.at(x, y) = below(2) == 0 ? middle : border;
        }
        return t;
    }
};

TEST(ImageSearch, GivesTheReferenceResultOnEveryGeneratedCase) {
    Generator generate(20240615);
    int found = 0;
    for (int round = 0; round < 6000; ++round) {
        Picture screen = generate.screen();
        const Picture t = generate.picture(screen);
        const SearchArea area = generate.area(screen);
        const int tolerance = generate.tolerance();
        const std::uint32_t expected = ReferenceSearch(screen, t, area, tolerance);
        found += expected != 0 ? 1 : 0;
        ASSERT_EQ(SearchImage(ToScreen(screen), ToTemplate(t), area, tolerance), expected)
            << "round " << round << ": screen " << screen.width << "x" << screen.height << ", template " << t.width
            << "x" << t.height << ", area " << area.x1 << "," << area.y1 << "-" << area.x2 << "," << area.y2
            << ", tolerance " << tolerance;
    }
    // The generator must produce both outcomes in earnest.
    EXPECT_GT(found, 1500);
    EXPECT_LT(found, 4500);
}

// A flat screen with the template's border colour everywhere: every placement matches
// the whole border, so the template's distinctive middle must be what is tested first;
// the one placement where the middle is shown is still the one found.
TEST(ImageSearch, TestsFirstWhatAFlatScreenLacks) {
    Picture screen{200, 120, std::vector<std::uint32_t>(200 * 120, 0x336699)};
    Picture t{32, 32, std::vector<std::uint32_t>(32 * 32, 0x336699)};
    for (int y = 12; y < 20; ++y) {
        for (int x = 12; x < 20; ++x) t.at(x, y) = (x + y) % 2 == 0 ? 0x000000 : 0xFFFFFF;
    }
    SearchPlan plan;
    ASSERT_TRUE(PlanRows(ToTemplate(t), 0, plan));
    ChooseFirstTests(ToTemplate(t), ToScreen(screen), {0, 0, 169, 89}, plan);
    ASSERT_FALSE(plan.firstTests.empty());
    EXPECT_NE(t.at(plan.firstTests.front().x, plan.firstTests.front().y), 0x336699u);

    for (int y = 12; y < 20; ++y) {
        for (int x = 12; x < 20; ++x) screen.at(150 + x, 70 + y) = t.at(x, y);
    }
    EXPECT_EQ(SearchImage(ToScreen(screen), ToTemplate(t), {0, 0, 65535, 65535}, 0), 70u * 65536u + 150u);
}

// A byte of the range (low, span): its ends one time in two, where an off-by-one shows.
std::uint8_t Inside(std::mt19937& random, std::uint8_t low, std::uint8_t span) {
    const int offset = random() % 2 == 0 ? static_cast<int>(random() % 2) * span : static_cast<int>(random() % (span + 1u));
    return static_cast<std::uint8_t>(low + offset);
}

// A byte outside the range, just outside one time in two; none when the range is full.
std::uint8_t Outside(std::mt19937& random, std::uint8_t low, std::uint8_t span) {
    if (span == 255) return low;
    const int beyond = random() % 2 == 0 ? static_cast<int>(random() % 2) * (254 - span) : static_cast<int>(random() % (255u - span));
    return static_cast<std::uint8_t>(low + span + 1 + beyond);
}

TEST(PixelRanges, SixteenPixelsAtOnceAgreeWithOneByteAtATime) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        PixelRanges ranges{};
        std::uint8_t pixels[48];
        // All bytes inside, a few outside, or many outside.
        const unsigned insideShare = round % 3 == 0 ? 100 : round % 3 == 1 ? 98 : 70;
        for (int i = 0; i < 48; ++i) {
            ranges.low[i] = static_cast<std::uint8_t>(random());
            ranges.span[i] = static_cast<std::uint8_t>(random() % 4 == 0 ? random() % 3 : random());
            pixels[i] = random() % 100 < insideShare ? Inside(random, ranges.low[i], ranges.span[i])
                                                     : Outside(random, ranges.low[i], ranges.span[i]);
        }
        const int count = round % 2 == 0 ? 16 : 1 + static_cast<int>(random() % 16);
        std::uint64_t expected = 0;
        bool allBytes = true;
        for (int i = 0; i < count; ++i) {
            bool pixel = true;
            for (int k = 3 * i; k < 3 * i + 3; ++k) {
                pixel = pixel && static_cast<std::uint8_t>(pixels[k] - ranges.low[k]) <= ranges.span[k];
            }
            expected |= pixel ? std::uint64_t{1} << (3 * i) : 0;
            allBytes = allBytes && pixel;
        }
        ASSERT_EQ(PixelsWithin(pixels, ranges, count), expected) << "round " << round << ", count " << count;
        ASSERT_EQ(BytesWithin(pixels, ranges.low, ranges.span, static_cast<std::size_t>(3 * count)), allBytes)
            << "round " << round << ", count " << count;
    }
}

}  // namespace
}  // namespace ml

// Which template pixels to test first. Real screens are mostly flat and real templates
// are cut with some of that flat background around them, so the anchor and the
// border usually match everywhere; a pixel of a colour the screen rarely shows rejects
// nearly every placement with one test. The screen itself says which colours are rare:
// every candidate pixel is tried at a grid of sampled placements.
#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>

#include "automation/screen_image.h"
#include "automation/search_plan.h"

namespace ml {

namespace {

constexpr int kSampleSide = 16;
// One pixel of each colour up to this many colours, then pixels spread evenly over
// the template: a distinctive part has few pixels, but it has its own colours.
constexpr std::size_t kColourCandidates = 16;
constexpr std::size_t kSpreadCandidates = 48;
constexpr std::size_t kMostFirstTests = 3;

// One bit per sampled placement, row by row of the grid.
using Samples = std::bitset<kSampleSide * kSampleSide>;

struct Candidate {
    int x = 0;
    int y = 0;
    Samples matches;
};

struct SampleGrid {
    int columns = 0;
    int rows = 0;
    std::array<int, kSampleSide> x{};
    std::array<int, kSampleSide> y{};
    Samples all;
};

// Up to kSampleSide steps across first <= v < end, each at the middle of its stretch.
int Spread(int first, int end, int steps, std::array<int, kSampleSide>& at) {
    const int length = end - first;
    const int count = std::min(steps, length);
    for (int i = 0; i < count; ++i) at[static_cast<std::size_t>(i)] = first + (2 * i + 1) * length / (2 * count);
    return count;
}

SampleGrid Grid(const Placements& placements) {
    SampleGrid grid;
    grid.columns = Spread(placements.left, placements.right, kSampleSide, grid.x);
    grid.rows = Spread(placements.top, placements.bottom, kSampleSide, grid.y);
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) grid.all.set(static_cast<std::size_t>(r * kSampleSide + c));
    }
    return grid;
}

std::uint32_t ColourOf(const std::uint8_t* pixel) {
    return static_cast<std::uint32_t>(pixel[0] | pixel[1] << 8 | pixel[2] << 16);
}

void AddColourCandidates(const TemplateImage& picture, std::vector<Candidate>& candidates) {
    std::vector<std::uint32_t> colours;
    const std::uint8_t* pixel = picture.pixels.data();
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x, pixel += 4) {
            if (IsSkipPixel(pixel)) continue;
            const std::uint32_t colour = ColourOf(pixel);
            if (std::find(colours.begin(), colours.end(), colour) != colours.end()) continue;
            colours.push_back(colour);
            candidates.push_back({x, y, {}});
            if (colours.size() == kColourCandidates) return;
        }
    }
}

void AddSpreadCandidates(const TemplateImage& picture, std::size_t nonSkip, std::vector<Candidate>& candidates) {
    const std::size_t step = std::max<std::size_t>(1, nonSkip / kSpreadCandidates);
    std::size_t index = 0;
    const std::uint8_t* pixel = picture.pixels.data();
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x, pixel += 4) {
            if (IsSkipPixel(pixel)) continue;
            if (index++ % step == 0) candidates.push_back({x, y, {}});
        }
    }
}

std::size_t NonSkipCount(const TemplateImage& picture) {
    const std::size_t total = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    std::size_t count = 0;
    for (std::size_t k = 0; k < total; ++k) count += IsSkipPixel(&picture.pixels[4 * k]) ? 0 : 1;
    return count;
}

std::vector<Candidate> Candidates(const TemplateImage& picture) {
    std::vector<Candidate> candidates;
    AddColourCandidates(picture, candidates);
    AddSpreadCandidates(picture, NonSkipCount(picture), candidates);
    return candidates;
}

std::size_t RangeStart(const SearchPlan& plan, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(plan.width) + static_cast<std::size_t>(x)) * 3;
}

Samples MatchesAtSamples(const ScreenImage& screen, const SearchPlan& plan, const SampleGrid& grid, int x, int y) {
    const std::size_t at = RangeStart(plan, x, y);
    Samples matches;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            const std::uint8_t* pixel = ScreenPixel(screen, grid.x[static_cast<std::size_t>(c)] + x,
                                                    grid.y[static_cast<std::size_t>(r)] + y);
            if (BytesWithin(pixel, &plan.low[at], &plan.span[at], 3)) {
                matches.set(static_cast<std::size_t>(r * kSampleSide + c));
            }
        }
    }
    return matches;
}

FirstTest TestOf(const SearchPlan& plan, int x, int y) {
    FirstTest test{x, y, {}};
    const std::size_t at = RangeStart(plan, x, y);
    for (int i = 0; i < 3 * kPixelsPerTest; ++i) {
        test.ranges.low[i] = plan.low[at + static_cast<std::size_t>(i % 3)];
        test.ranges.span[i] = plan.span[at + static_cast<std::size_t>(i % 3)];
    }
    return test;
}

// The candidate that leaves the fewest of the surviving samples, then the one that
// matches the fewest samples overall.
std::vector<Candidate>::iterator MostSelective(std::vector<Candidate>& candidates, const Samples& alive) {
    return std::min_element(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        const std::size_t leftA = (a.matches & alive).count();
        const std::size_t leftB = (b.matches & alive).count();
        return leftA != leftB ? leftA < leftB : a.matches.count() < b.matches.count();
    });
}

}  // namespace

void ChooseFirstTests(const TemplateImage& picture, const ScreenImage& screen, const Placements& placements,
                      SearchPlan& plan) {
    std::vector<Candidate> candidates = Candidates(picture);
    const SampleGrid grid = Grid(placements);
    for (Candidate& candidate : candidates) {
        candidate.matches = MatchesAtSamples(screen, plan, grid, candidate.x, candidate.y);
    }
    plan.firstTests.clear();
    Samples alive = grid.all;
    while (plan.firstTests.size() < kMostFirstTests && !candidates.empty()) {
        const auto best = MostSelective(candidates, alive);
        // A test that rejects no sample is not worth making at every placement.
        const Samples& judged = alive.any() ? alive : grid.all;
        if (!plan.firstTests.empty() && (best->matches & judged) == judged) break;
        plan.firstTests.push_back(TestOf(plan, best->x, best->y));
        alive &= best->matches;
        candidates.erase(best);
    }
}

}  // namespace ml

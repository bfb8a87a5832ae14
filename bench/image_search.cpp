// The image search over a full-HD screen image, for a 32 x 32 template, the screen
// image already taken:
//   Noise       a screen of unrelated colours, the template absent.
//   Flat        a screen of one colour that the template's whole top row has, but not
//               its second row; the anchor matches everywhere.
//   FlatBorder  a flat screen of the background colour of a template cut with a
//               12-pixel flat border around a distinctive middle (pictures.h); the
//               whole border matches everywhere. Absent, and shown once near the
//               bottom right.
//   Desktop     a drawn desktop of windows, text and icons (drawn_desktop.h); the
//               template is cut around text from another such desktop (absent), or
//               from this one (found where it was cut).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "automation/image_search.h"
#include "drawn_desktop.h"
#include "fastest.h"
#include "pictures.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kSide = bench::kTemplateSide;

ml::ScreenImage Screen(std::uint8_t byte) {
    ml::ScreenImage screen;
    screen.width = kWidth;
    screen.height = kHeight;
    screen.rowSize = (3 * kWidth + 3) / 4 * 4;
    screen.pixels.assign(static_cast<std::size_t>(screen.rowSize) * kHeight, byte);
    return screen;
}

ml::TemplateImage Template(std::uint8_t grey) {
    ml::TemplateImage picture;
    picture.width = kSide;
    picture.height = kSide;
    picture.pixels.assign(4 * kSide * kSide, grey);
    return picture;
}

// Searches the whole screen at tolerance range(0); the result must be expected.
void Search(benchmark::State& state, const ml::ScreenImage& screen, const ml::TemplateImage& picture,
            std::uint32_t expected) {
    const ml::SearchArea whole{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        const std::uint32_t found = ml::SearchImage(screen, picture, whole, static_cast<int>(state.range(0)));
        if (found != expected) {
            state.SkipWithError(("found at " + std::to_string(found) + ", not " + std::to_string(expected)).c_str());
        }
        benchmark::DoNotOptimize(found);
    }
}

void BM_FindAbsentTemplate_Noise(benchmark::State& state) {
    ml::ScreenImage screen = Screen(0);
    std::mt19937 random(12345);
    // Channel values 0..127: a template of 200-grey lies outside them even at
    // tolerance 50.
    for (std::uint8_t& byte : screen.pixels) byte = static_cast<std::uint8_t>(random() & 0x7F);
    Search(state, screen, Template(200), 0);
}

void BM_FindAbsentTemplate_Flat(benchmark::State& state) {
    ml::TemplateImage picture = Template(200);
    picture.pixels[4 * kSide] = 0;  // the blue of the second row's first pixel differs
    Search(state, Screen(200), picture, 0);
}

ml::ScreenImage FlatBackground() {
    ml::ScreenImage screen = Screen(0);
    for (std::size_t k = 0; k < screen.pixels.size(); ++k) {
        screen.pixels[k] = static_cast<std::uint8_t>(bench::kBackground >> (8 * (2 - k % 3)));
    }
    return screen;
}

void BM_FindAbsentTemplate_FlatBorder(benchmark::State& state) {
    Search(state, FlatBackground(), bench::TemplateOf(kSide, kSide, bench::FlatBorderColours()), 0);
}

void BM_FindTemplate_FlatBorder(benchmark::State& state) {
    ml::ScreenImage screen = FlatBackground();
    const ml::TemplateImage picture = bench::TemplateOf(kSide, kSide, bench::FlatBorderColours());
    const int left = 1800, top = 1000;
    for (int y = 0; y < kSide; ++y) {
        std::uint8_t* row = &screen.pixels[static_cast<std::size_t>((kHeight - 1 - top - y) * screen.rowSize + 3 * left)];
        for (int x = 0; x < kSide; ++x) {
            for (int k = 0; k < 3; ++k) row[3 * x + k] = picture.pixels[static_cast<std::size_t>(4 * (y * kSide + x) + k)];
        }
    }
    Search(state, screen, picture, top * 65536u + left);
}

ml::TemplateImage TextTemplate(const bench::DrawnDesktop& desktop) {
    return bench::TemplateOf(kSide, kSide, desktop.colours(desktop.textCorner(kSide), kSide, kSide));
}

void BM_FindAbsentTemplate_Desktop(benchmark::State& state) {
    const bench::DrawnDesktop screen(kWidth, kHeight, 1), other(kWidth, kHeight, 2);
    Search(state, screen.image(), TextTemplate(other), 0);
}

void BM_FindTemplate_Desktop(benchmark::State& state) {
    const bench::DrawnDesktop screen(kWidth, kHeight, 1);
    const ml::ScreenPoint corner = screen.textCorner(kSide);
    Search(state, screen.image(), TextTemplate(screen),
           static_cast<std::uint32_t>(corner.y) * 65536u + static_cast<std::uint32_t>(corner.x));
}

}  // namespace

#define ML_SEARCH_BENCHMARK(name) \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", bench::Fastest)
ML_SEARCH_BENCHMARK(BM_FindAbsentTemplate_Noise)->Arg(0)->Arg(50);
ML_SEARCH_BENCHMARK(BM_FindAbsentTemplate_Flat)->Arg(0);
ML_SEARCH_BENCHMARK(BM_FindAbsentTemplate_FlatBorder)->Arg(0);
ML_SEARCH_BENCHMARK(BM_FindTemplate_FlatBorder)->Arg(0);
ML_SEARCH_BENCHMARK(BM_FindAbsentTemplate_Desktop)->Arg(0)->Arg(10);
ML_SEARCH_BENCHMARK(BM_FindTemplate_Desktop)->Arg(0);

BENCHMARK_MAIN();

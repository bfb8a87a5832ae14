// The image search over a full-HD screen image for a 32 x 32 template that is not
// there, so every anchor position of the screen is tried.
//   Noise:  a screen of unrelated colours; nearly every position is rejected by
//           the anchor pixel alone (the usual case).
//   Flat:   a screen of one colour that the whole top row of the template has,
//           but not its second row; every position passes the anchor test and
//           fails after 33 pixel tests (a button whose top edge is background).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "automation/image_search.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kSide = 32;

ml::ScreenImage Screen() {
    ml::ScreenImage screen;
    screen.width = kWidth;
    screen.height = kHeight;
    screen.rowSize = (3 * kWidth + 3) / 4 * 4;
    screen.pixels.assign(static_cast<std::size_t>(screen.rowSize) * kHeight, 0);
    return screen;
}

ml::TemplateImage Template(std::uint8_t grey) {
    ml::TemplateImage picture;
    picture.width = kSide;
    picture.height = kSide;
    picture.pixels.assign(4 * kSide * kSide, grey);
    return picture;
}

void Search(benchmark::State& state, const ml::ScreenImage& screen, const ml::TemplateImage& picture) {
    const ml::SearchArea whole{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        const std::uint32_t found = ml::SearchImage(screen, picture, whole, static_cast<int>(state.range(0)));
        if (found != 0) state.SkipWithError("the template was found");
        benchmark::DoNotOptimize(found);
    }
    state.counters["positions/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight,
                                                       benchmark::Counter::kIsRate);
}

void BM_FindAbsentTemplate_Noise(benchmark::State& state) {
    ml::ScreenImage screen = Screen();
    std::mt19937 random(12345);
    // Channel values 0..127: a template of 200-grey lies outside them even at
    // tolerance 50.
    for (std::uint8_t& byte : screen.pixels) byte = static_cast<std::uint8_t>(random() & 0x7F);
    Search(state, screen, Template(200));
}

void BM_FindAbsentTemplate_Flat(benchmark::State& state) {
    ml::ScreenImage screen = Screen();
    for (std::uint8_t& byte : screen.pixels) byte = 200;
    ml::TemplateImage picture = Template(200);
    picture.pixels[4 * kSide] = 0;  // the blue of the second row's first pixel differs
    Search(state, screen, picture);
}

}  // namespace

BENCHMARK(BM_FindAbsentTemplate_Noise)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAbsentTemplate_Flat)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// The desktop as a polling script meets it, on an X display this benchmark may cover
// with a screen-wide window of its own (tools/bench starts a private 1920x1080 Xvfb):
//   Snapshot                    one full snapshot of the screen, as every pixel read,
//                               capture and search starts; and the same over the
//                               connection, as on a server without MIT-SHM.
//   FindRGB_FlatBorder          one `~Lib.FindRGB(0, 0, 0, 1919, 1079, ...)` through
//                               the interpreter, snapshot included, for a template
//                               with a flat 12-pixel border (pictures.h) over a
//                               screen of the border's colour: absent, then shown once.
//   FindRGB_Desktop             the same over a drawn desktop (drawn_desktop.h) for a
//                               template cut around text from another one (absent)
//                               or from this one (found where it was cut).
// Times are wall times (the Time column): the X server's work is part of what a
// script waits for.
// Without a display nothing is measured, and the benchmark says so.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation/capture.h"
#include "core/interp.h"
#include "core/markers.h"
#include "core/text_file.h"
#include "core/variables.h"
#include "engine/executor.h"
#include "engine/modules.h"
#include "loader/loader.h"
#include "platform/posix/x11_connection.h"
#include "platform/posix/x11_image.h"
#include "drawn_desktop.h"
#include "fastest.h"
#include "pictures.h"

// After our headers: Xlib's Status macro would rename a field of the platform's.
#include "painted_window.h"

namespace {

// An X pixel value of a 24-bit true-colour screen, from R + 256 G + 65536 B.
unsigned long XPixel(std::uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// X pixel values of the colours.
std::vector<std::uint32_t> XPixels(const std::vector<std::uint32_t>& colours) {
    std::vector<std::uint32_t> values;
    for (std::uint32_t colour : colours) values.push_back(static_cast<std::uint32_t>(XPixel(colour)));
    return values;
}

// Writes the colours as a 24-bit bitmap file, as a user's template would be saved.
void WriteBitmap(const std::string& file, int side, const std::vector<std::uint32_t>& colours) {
    ml::ScreenImage image;
    image.width = side;
    image.height = side;
    image.rowSize = (3 * side + 3) / 4 * 4;
    image.pixels.assign(static_cast<std::size_t>(image.rowSize * side), 0);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const std::uint32_t colour = colours[static_cast<std::size_t>(y * side + x)];
            std::uint8_t* p = &image.pixels[static_cast<std::size_t>((side - 1 - y) * image.rowSize + 3 * x)];
            p[0] = static_cast<std::uint8_t>(colour >> 16);
            p[1] = static_cast<std::uint8_t>(colour >> 8);
            p[2] = static_cast<std::uint8_t>(colour);
        }
    }
    std::FILE* out = std::fopen(file.c_str(), "wb");
    const auto headers = ml::BitmapHeaders(image);
    std::fwrite(headers.data(), 1, headers.size(), out);
    std::fwrite(image.pixels.data(), 1, image.pixels.size(), out);
    std::fclose(out);
}

// One interpreter, kept across iterations as a polling script keeps its run, loaded
// with one line that searches the whole screen for the file.
class FindRGBScript {
public:
    explicit FindRGBScript(const std::string& file) : in_(ml::HostPlatform(), ml::Modules()) {
        const std::string script = "#Import <lib>\n$r = ~Lib.FindRGB(0, 0, 0, 1919, 1079, \"" + file + "\", 0)\n";
        const std::string scriptFile = file + ".txt";
        if (auto out = in_.platform.files.open(scriptFile, ml::FileMode::WriteBinary)) out->write(script);
        ml::LoadScript(in_, *ml::OpenForReading(in_.platform.files, scriptFile));
        ml::FinishLoading(in_);
    }
    std::string run() {
        in_.exec.pc = 0;
        ml::Script(in_);
        return in_.vars.values[static_cast<std::size_t>(ml::FindVariable(in_, std::string(ml::kVariableMarker) + "r"))];
    }

private:
    ml::Interp in_;
};

void RunFindRGB(benchmark::State& state, const std::string& file, const std::string& expected) {
    FindRGBScript script(file);
    for (auto _ : state) {
        const std::string found = script.run();
        if (found != expected) state.SkipWithError(("found " + found + ", not " + expected).c_str());
    }
}

void Snapshot(benchmark::State& state) {
    ml::ScreenImage image;
    for (auto _ : state) {
        ml::HostPlatform().desktop.screenImage(0, image);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

void SnapshotOverTheConnection(benchmark::State& state) {
    ml::X11Connection x11(ml::SharedMemory::Never);
    ml::ScreenImage image;
    for (auto _ : state) {
        ml::CaptureScreen(x11, 0, image);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

template <class Body>
void Register(const char* name, Body body) {
    benchmark::RegisterBenchmark(name, body)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", bench::Fastest);
}

std::string Packed(ml::ScreenPoint at) { return std::to_string(at.y * 65536 + at.x); }

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::printf("desktop benchmarks skipped: no X display\n");
        return 0;
    }
    char folder[] = "/tmp/morrowlark-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::string flatFile = std::string(folder) + "/flat_border.bmp";
    const std::string textFile = std::string(folder) + "/text.bmp";
    const std::string foundTextFile = std::string(folder) + "/found_text.bmp";
    const int side = bench::kTemplateSide;
    {
        const int width = DisplayWidth(display, DefaultScreen(display));
        const int height = DisplayHeight(display, DefaultScreen(display));
        PaintedWindow cover(display, 0, 0, width, height, XPixel(bench::kBackground));
        const bench::DrawnDesktop desktop(width, height, 1), other(width, height, 2);
        const ml::ScreenPoint cut = desktop.textCorner(side);
        WriteBitmap(flatFile, side, bench::FlatBorderColours());
        WriteBitmap(textFile, side, other.colours(other.textCorner(side), side, side));
        WriteBitmap(foundTextFile, side, desktop.colours(cut, side, side));

        Register("Snapshot", Snapshot);
        Register("SnapshotOverTheConnection", SnapshotOverTheConnection);
        Register("FindRGB_FlatBorder_Absent", [&](benchmark::State& state) {
            cover.clear();
            RunFindRGB(state, flatFile, "0");
        });
        Register("FindRGB_FlatBorder_Found", [&](benchmark::State& state) {
            cover.paint(1800, 1000, side, side, XPixels(bench::FlatBorderColours()));
            RunFindRGB(state, flatFile, Packed({1800, 1000}));
        });
        const std::vector<std::uint32_t> shown = XPixels(desktop.colours({0, 0}, width, height));
        Register("FindRGB_Desktop_Absent", [&](benchmark::State& state) {
            cover.paint(0, 0, width, height, shown);
            RunFindRGB(state, textFile, "0");
        });
        Register("FindRGB_Desktop_Found", [&](benchmark::State& state) {
            cover.paint(0, 0, width, height, shown);
            RunFindRGB(state, foundTextFile, Packed(cut));
        });
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    std::remove(flatFile.c_str());
    std::remove(textFile.c_str());
    std::remove(foundTextFile.c_str());
    std::remove(folder);
    XCloseDisplay(display);
    return 0;
}

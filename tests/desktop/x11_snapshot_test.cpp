// The X11 snapshot through shared memory and over the connection, against pixels this
// test puts on the screen: both ways must give exactly those pixels, of the whole
// screen and of a window reaching past the screen's edge, into a reused image.
//   x11_snapshot_test shared|connection
//     shared      the server offers MIT-SHM, and the snapshot must use it
//     connection  the server lacks it, and the snapshot must come over the connection
// Runs on a private Xvfb (tests/desktop/run-on-xvfb); exits 77 without a display.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

// Before the X headers, whose Status macro would rename a field of the platform's.
#include "platform/posix/x11_image.h"
#include "platform/posix/x11_connection.h"

#include "painted_window.h"

namespace ml {
namespace {

bool gSharedExpected = false;

// Colours as X pixel values 0xRRGGBB, rows top first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> values;

    std::uint32_t at(int x, int y) const { return values[static_cast<std::size_t>(y * width + x)]; }
};

Pixels RandomPixels(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    Pixels p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height))};
    for (std::uint32_t& value : p.values) value = random() & 0xFFFFFF;
    return p;
}

// The screen image a snapshot should give: the pixels at (left, top), black elsewhere.
ScreenImage Expected(int width, int height, const Pixels& pixels, int left, int top) {
    ScreenImage image;
    image.width = width;
    image.height = height;
    image.rowSize = (3 * width + 3) / 4 * 4;
    image.pixels.assign(static_cast<std::size_t>(image.rowSize) * static_cast<std::size_t>(height), 0);
    for (int y = std::max(0, top); y < std::min(height, top + pixels.height); ++y) {
        for (int x = std::max(0, left); x < std::min(width, left + pixels.width); ++x) {
            const std::uint32_t value = pixels.at(x - left, y - top);
            std::uint8_t* p = &image.pixels[static_cast<std::size_t>((height - 1 - y) * image.rowSize + 3 * x)];
            p[0] = static_cast<std::uint8_t>(value);
            p[1] = static_cast<std::uint8_t>(value >> 8);
            p[2] = static_cast<std::uint8_t>(value >> 16);
        }
    }
    return image;
}

// The index of the first byte that differs, for a readable failure.
std::string FirstDifference(const ScreenImage& got, const ScreenImage& want) {
    if (got.width != want.width || got.height != want.height || got.rowSize != want.rowSize ||
        got.pixels.size() != want.pixels.size()) {
        return "size " + std::to_string(got.width) + "x" + std::to_string(got.height);
    }
    for (std::size_t k = 0; k < got.pixels.size(); ++k) {
        if (got.pixels[k] != want.pixels[k]) return "byte " + std::to_string(k);
    }
    return "none";
}

class Snapshot : public ::testing::TestWithParam<SharedMemory> {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
        width_ = DisplayWidth(display_, DefaultScreen(display_));
        height_ = DisplayHeight(display_, DefaultScreen(display_));
    }
    void TearDown() override {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    bool sharedExpected() const { return GetParam() == SharedMemory::IfAvailable && gSharedExpected; }

    Display* display_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

TEST_P(Snapshot, GivesThePixelsOnTheScreenAndOfOneWindow) {
    const Pixels background = RandomPixels(width_, height_, 1);
    const Pixels part = RandomPixels(300, 200, 2);
    PaintedWindow screenWide(display_, 0, 0, width_, height_, 0);
    screenWide.paint(0, 0, width_, height_, background.values);
    X11Connection x11(GetParam());
    ScreenImage image;
    CaptureScreen(x11, 0, image);
    EXPECT_EQ(FirstDifference(image, Expected(width_, height_, background, 0, 0)), "none");
    EXPECT_EQ(x11.sharedMemory().lastReadShared(), sharedExpected());

    // A window reaching 20 pixels past the left edge: its visible part lands where it
    // lies in the window, into the image the screen was just read into.
    PaintedWindow window(display_, -20, 30, 300, 200, 0);
    window.paint(0, 0, 300, 200, part.values);
    CaptureScreen(x11, static_cast<Window>(window.id()), image);
    Pixels visible{280, 200, {}};
    for (int y = 0; y < 200; ++y) {
        for (int x = 20; x < 300; ++x) visible.values.push_back(part.at(x, y));
    }
    EXPECT_EQ(FirstDifference(image, Expected(width_, height_, visible, 20, 0)), "none");
    EXPECT_EQ(x11.sharedMemory().lastReadShared(), sharedExpected());

    // The screen again, changed, into the same image.
    const Pixels changed = RandomPixels(width_, height_, 3);
    screenWide.paint(0, 0, width_, height_, changed.values);
    window.paint(0, 0, 300, 200, RandomPixels(300, 200, 4).values);
    CaptureScreen(x11, 0, image);
    ScreenImage expected = Expected(width_, height_, changed, 0, 0);
    const ScreenImage inWindow = Expected(width_, height_, RandomPixels(300, 200, 4), -20, 30);
    for (int y = 30; y < 230; ++y) {
        const std::size_t row = static_cast<std::size_t>((height_ - 1 - y) * expected.rowSize);
        std::memcpy(&expected.pixels[row], &inWindow.pixels[row], 3 * 280);
    }
    EXPECT_EQ(FirstDifference(image, expected), "none");
}

INSTANTIATE_TEST_SUITE_P(X11, Snapshot, ::testing::Values(SharedMemory::IfAvailable, SharedMemory::Never),
                         [](const auto& info) {
                             return info.param == SharedMemory::IfAvailable ? "SharedMemoryIfAvailable" : "OverTheConnection";
                         });

}  // namespace
}  // namespace ml

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2 || (std::strcmp(argv[1], "shared") != 0 && std::strcmp(argv[1], "connection") != 0)) {
        std::fprintf(stderr, "usage: x11_snapshot_test shared|connection\n");
        return 2;
    }
    ml::gSharedExpected = std::strcmp(argv[1], "shared") == 0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::printf("SKIPPED: no X display\n");
        return 77;
    }
    XCloseDisplay(display);
    return RUN_ALL_TESTS();
}

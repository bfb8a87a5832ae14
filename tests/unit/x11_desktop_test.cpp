// Without a display every desktop service fails as a failed platform call does:
// no effect, 0 results; the display state says so, naming the display tried. Bitmap
// files need no display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/posix_desktop.h"
#include "platform/posix/x11_monitors.h"

namespace ml {
namespace {

class WithoutDisplay : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (const char* value = std::getenv("DISPLAY")) saved_ = value;
        if (GetParam() == nullptr) unsetenv("DISPLAY");
        else setenv("DISPLAY", GetParam(), 1);
    }
    void TearDown() override {
        if (saved_) setenv("DISPLAY", saved_->c_str(), 1);
        else unsetenv("DISPLAY");
    }

private:
    std::optional<std::string> saved_;
};

TEST_P(WithoutDisplay, EveryServiceGivesZeroAndDoesNothing) {
    PosixDesktop desktop;
    const DisplayState display = desktop.displayState();
    EXPECT_FALSE(display.usable);
    EXPECT_EQ(display.name, GetParam() == nullptr ? "" : std::string("DISPLAY=") + GetParam());
    EXPECT_EQ(desktop.screenSize().x, 0);
    EXPECT_EQ(desktop.screenSize().y, 0);
    EXPECT_EQ(desktop.findWindow(""), 0);
    EXPECT_EQ(desktop.findWindow("Any"), 0);
    EXPECT_EQ(desktop.findChildWindow(0, "Any"), 0);
    EXPECT_EQ(desktop.findChildWindow(12345, "Any"), 0);
    desktop.setForeground(12345);
    desktop.sendMouse({1, 1, 0x8003});
    desktop.sendKey({65, 30, 0});
    desktop.postMessage(12345, 0x0201, 1, 0x00140010);
    EXPECT_EQ(desktop.asyncKeyState(65), 0);
    EXPECT_EQ(desktop.asyncKeyState(1), 0);
    EXPECT_EQ(desktop.cursorPosition().x, 0);
    EXPECT_EQ(desktop.cursorPosition().y, 0);

    ScreenImage image;
    image.width = 7;
    image.pixels.assign(100, 1);
    desktop.screenImage(0, image);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_TRUE(image.pixels.empty());
    desktop.screenImage(12345, image);
    EXPECT_TRUE(image.pixels.empty());
    image.pixels.assign(100, 1);
    desktop.desktopImage(0, image);
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_TRUE(desktop.monitors().empty());
    EXPECT_EQ(desktop.desktopRect().width, 0);
    EXPECT_EQ(desktop.desktopRect().height, 0);

    // No clipboard to read or take, no window whose controls to look for; a control's
    // handle is no window either, and posting to it reaches nothing.
    EXPECT_EQ(desktop.clipboardText(), "");
    EXPECT_FALSE(desktop.setClipboardText("kept nowhere"));
    EXPECT_EQ(desktop.controls(12345), std::vector<Control>{});
    EXPECT_EQ(desktop.controlText(12345), "");
    WindowRect rect{1, 2, 3, 4};
    EXPECT_FALSE(desktop.windowRect(0x40000000, rect));
    EXPECT_EQ(rect, (WindowRect{1, 2, 3, 4}));
    desktop.postMessage(0x40000000, 0x0201, 1, 0x00140010);

    // Key translation is a table of its own and works without a display.
    EXPECT_EQ(desktop.scanCode(65), 0x1Eu);
}

INSTANTIATE_TEST_SUITE_P(X11Desktop, WithoutDisplay, ::testing::Values(nullptr, ":4097"),
                         [](const auto& info) { return info.param == nullptr ? "Unset" : "Unreachable"; });

TEST(X11Desktop, KeyStateOutsideTheKeyRangeIsZero) {
    PosixDesktop desktop;
    EXPECT_EQ(desktop.asyncKeyState(-1), 0);
    EXPECT_EQ(desktop.asyncKeyState(256), 0);
    EXPECT_EQ(desktop.asyncKeyState(0x7FFFFFFF), 0);
}

// The heads keep the server's order, the primary first, and their places, which may
// lie left of or above the primary's; a head without pixels is no monitor.
TEST(X11Monitors, HeadsBecomeMonitorsInTheServersOrder) {
    const XineramaScreenInfo heads[] = {{0, 0, 0, 1280, 800}, {1, -1024, 0, 1024, 768}, {2, 1280, -600, 800, 600},
                                        {3, 5, 5, 0, 600}};
    EXPECT_EQ(MonitorsOfHeads(heads, {2304, 800}),
              (std::vector<WindowRect>{{0, 0, 1280, 800}, {-1024, 0, 1024, 768}, {1280, -600, 800, 600}}));
}

TEST(X11Monitors, WithoutHeadsTheRootWindowIsTheOneMonitor) {
    EXPECT_EQ(MonitorsOfHeads({}, {1600, 900}), (std::vector<WindowRect>{{0, 0, 1600, 900}}));
    const XineramaScreenInfo empty[] = {{0, 0, 0, 0, 0}};
    EXPECT_EQ(MonitorsOfHeads(empty, {1600, 900}), (std::vector<WindowRect>{{0, 0, 1600, 900}}));
}

}  // namespace
}  // namespace ml

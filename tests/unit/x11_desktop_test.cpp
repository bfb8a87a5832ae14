// Without a display every desktop service fails as a failed platform call does:
// no effect, 0 results; the display state says so, naming the display tried. Bitmap
// files need no display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/posix_desktop.h"

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

}  // namespace
}  // namespace ml

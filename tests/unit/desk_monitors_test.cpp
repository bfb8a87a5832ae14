// The desk module on a fake desktop of several monitors: the monitors' rectangles,
// the whole desktop that window 0 means for the desk functions (its corner left of
// and above the primary's), mouse input scaled to it, and lib's screen, which stays
// the primary monitor.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "picture_bytes.h"
#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

// The primary 1280 × 800 at (0, 0); a second monitor left of it, 100 pixels lower;
// a third above and right of it. The desktop spans x -1024 to 2080, y -600 to 868:
// 3104 × 1468 with its corner at (-1024, -600).
struct MonitorsRun : TestRun {
    MonitorsRun() {
        fake.desktop.arrangeMonitors({{0, 0, 1280, 800}, {-1024, 100, 1024, 768}, {1280, -600, 800, 600}});
        fake.desktop.shown = {{11, "Left Notes", {-900, 150, 300, 200}}, {22, "Top Clock", {1300, -500, 200, 100}}};
    }
    std::string printed(const std::string& expression) {
        const std::size_t before = out().size();
        run("~Dos.Print(" + expression + ")\n");
        return out().substr(before);
    }
};

// A bitmap's width and height, from its information header.
std::pair<std::int32_t, std::int32_t> BitmapSize(const std::vector<std::uint8_t>& file) {
    const auto read = [&](std::size_t at) {
        return static_cast<std::int32_t>(file.at(at) | file.at(at + 1) << 8 | file.at(at + 2) << 16 | file.at(at + 3) << 24);
    };
    return {read(18), read(22)};
}

}  // namespace

TEST(DeskMonitors, EachMonitorsRectangleInDesktopCoordinatesThePrimaryFirst) {
    MonitorsRun t;
    EXPECT_EQ(t.printed("~Desk.Monitors()"), "3");
    const char* rows[] = {"0 0 1280 800", "-1024 100 1024 768", "1280 -600 800 600"};
    for (int n = 1; n <= 3; ++n) {
        const std::string number = std::to_string(n);
        EXPECT_EQ(t.printed("~Desk.MonitorX(" + number + ") \" \" ~Desk.MonitorY(" + number + ") \" \" ~Desk.MonitorWidth(" +
                            number + ") \" \" ~Desk.MonitorHeight(" + number + ")"),
                  rows[n - 1]);
    }
    EXPECT_TRUE(t.fake.desktop.log.empty());
    EXPECT_FALSE(t.ended);
}

// A system that tells of no monitors has one: the screen.
TEST(DeskMonitors, OneScreenIsOneMonitor) {
    TestRun t;
    t.fake.desktop.size = {1920, 1080};
    t.run("#Import <desk>\n#Import <dos>\n~Print(~Monitors() \": \" ~MonitorX(1) \",\" ~MonitorY(1) \" \" ~MonitorWidth(1) "
          "\"x\" ~MonitorHeight(1))\n");
    EXPECT_EQ(t.out(), "1: 0,0 1920x1080");
}

TEST(DeskMonitors, ANumberThatNamesNoMonitorEndsTheRunNamingIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"$m = ~Desk.MonitorX(4)", "~Desk.MonitorX -> Section 1 parameter error: 4 (Numerical limit: 1 ~ 3)"},
        {"$m = ~Desk.MonitorY(0)", "~Desk.MonitorY -> Section 1 parameter error: 0 (Numerical limit: 1 ~ 3)"},
        {"$m = ~Desk.MonitorWidth(-1)", "~Desk.MonitorWidth -> Section 1 parameter error: -1 (Numerical limit: 1 ~ 3)"},
        {"$m = ~Desk.MonitorHeight(\"second\")",
         "~Desk.MonitorHeight -> Section 1 parameter error: 0 (Numerical limit: 1 ~ 3)"},
        {"$m = ~Desk.MonitorX(4294967297)",
         "~Desk.MonitorX -> Section 1 parameter error: 4294967297 (Numerical limit: 1 ~ 3)"},
    };
    for (const auto& [line, message] : cases) {
        MonitorsRun t;
        t.run(std::string(line) + "\n");
        EXPECT_EQ(t.out(), Report(1, message, t.entry(0))) << line;
    }
    MonitorsRun chinese;
    chinese.in->language = '3';
    chinese.run("$m = ~Desk.MonitorX(9)\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.MonitorX -> 第 1 節參數錯誤: 9 (數值限制: 1 ~ 3)\n錯誤：" +
                                 chinese.entry(0) + "\n");
}

TEST(DeskMonitors, WithoutADisplayTheFirstQuestionEndsTheRun) {
    TestRun t;
    t.fake.desktop.display = {false, "DISPLAY=:9"};
    t.run("$n = ~Desk.Monitors()\n");
    EXPECT_EQ(t.out(), Report(1, "No display to work on: DISPLAY=:9", t.entry(0)));
}

// Window 0's rectangle is the desktop's; windows, the pointer and a point's window
// have negative coordinates left of and above the primary; the client coordinates of
// window 0 still count from the primary's corner.
TEST(DeskDesktop, WindowZeroIsTheWholeDesktopWithANegativeCorner) {
    MonitorsRun t;
    EXPECT_EQ(t.printed("~Desk.X(0) \" \" ~Desk.Y(0) \" \" ~Desk.Width(0) \" \" ~Desk.Height(0)"), "-1024 -600 3104 1468");
    EXPECT_EQ(t.printed("~Desk.InsideX(0) \" \" ~Desk.InsideY(0)"), "0 0");
    EXPECT_EQ(t.printed("~Desk.At(-800, 200) \" \" ~Desk.At(1400, -450) \" \" ~Desk.At(-1, 200)"), "11 22 0");
    t.fake.desktop.cursor = {-500, -20};
    EXPECT_EQ(t.printed("~Desk.MouseX() \" \" ~Desk.MouseY()"), "-500 -20");
}

// Synthesised input is scaled to the whole desktop with the virtual-desktop flag
// (0x4000), (x - (-1024)) × 65536 / 3104 + 1 and (y - (-600)) × 65536 / 1468 + 1,
// so the desktop's corner is 1 and a point on the top monitor lies past the
// primary's scale; lib's move stays on the primary's scale without the flag.
TEST(DeskDesktop, MouseInputIsScaledToTheVirtualDesktop) {
    MonitorsRun t;
    t.run("~Desk.Click(0, \"left\", -1024, -600, 1)\n~Desk.Click(0, \"right\", 1680, -300, 1)\n"
          "~Desk.Click(0, \"left\", 1279, 799, 1)\n~Desk.Wheel(0, 1, -999, 201)\n~Lib.MouseMsg(0, 0, 640, 400)\n");
    EXPECT_EQ(t.fake.desktop.log, (Log{"mouse 1 1 49155", "mouse 1 1 49157", "mouse 57091 13393 49161",
                                       "mouse 57091 13393 49169", "mouse 48625 62456 49155", "mouse 48625 62456 49157",
                                       "mouse 528 35760 51201 wheel 120", "mouse 32769 32769 32769"}));
}

// desk's capture of window 0 spans every monitor; lib's stays the primary screen.
TEST(DeskDesktop, CaptureOfWindowZeroSpansTheDesktopAndLibsTheScreen) {
    MonitorsRun t;
    t.run("~Desk.Capture(0, \"desk.bmp\")\n~Lib.Capture(0, \"lib.bmp\")\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 0", "write desk.bmp", "image 0", "write lib.bmp"}));
    EXPECT_EQ(BitmapSize(t.fake.desktop.files["desk.bmp"]), std::make_pair(3104, 1468));
    EXPECT_EQ(BitmapSize(t.fake.desktop.files["lib.bmp"]), std::make_pair(1280, 800));
}

// A picture on the left monitor is found at desktop coordinates, ready for a click
// with window 0; one wider than the primary, but not than the desktop, is searched.
TEST(DeskDesktop, LookFindsAPictureOnAnyMonitorAtDesktopCoordinates) {
    MonitorsRun t;
    picture_bytes::Bitmap small;
    small.width = 3;
    small.height = -2;   // top row first
    small.bits = 24;
    small.pixels = picture_bytes::PackRows(3, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0x0000FF, 0xFF0000});
    t.fake.desktop.pictureFiles["small.bmp"] = picture_bytes::BitmapFile(small);
    const std::uint32_t painted[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0xFF0000, 0x0000FF};
    for (int i = 0; i < 6; ++i) t.fake.desktop.paintDesktop(-1000 + i % 3, 200 + i / 3, painted[i]);
    t.run("$f = ~Desk.Look(0, \"small.bmp\", 0, 0)\n~Dos.Print($f \" \" ~Desk.FoundX() \" \" ~Desk.FoundY() \"|\")\n"
          "~Desk.Click(0, \"left\", ~Desk.FoundX(), ~Desk.FoundY(), 1)\n");
    EXPECT_EQ(t.out(), "1 -999 201|");
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 0", "mouse 528 35760 49155", "mouse 528 35760 49157"}));

    // 1300 × 1: a red pixel, then pixels that match anything.
    picture_bytes::Bitmap wide;
    wide.width = 1300;
    wide.height = 1;
    wide.bits = 24;
    std::vector<std::uint32_t> row(1300, 0xEAEAEA);
    row[0] = 0xFF0000;
    wide.pixels = picture_bytes::PackRows(1300, 24, row);
    t.fake.desktop.pictureFiles["wide.bmp"] = picture_bytes::BitmapFile(wide);
    t.fake.desktop.paintDesktop(10, 10, 0x0000FF);
    const std::size_t before = t.out().size();
    t.run("$f = ~Desk.Look(0, \"wide.bmp\", 0, 0)\n~Dos.Print($f \" \" ~Desk.FoundX() \" \" ~Desk.FoundY())\n");
    // The topmost red pixel: its centre is 650 further right.
    EXPECT_EQ(t.out().substr(before), "1 660 10");
}

}  // namespace ml

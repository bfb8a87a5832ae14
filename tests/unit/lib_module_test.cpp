#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

// Runs the script on a 1920 × 1080 desktop and gives what reached the desktop.
struct LibRun : TestRun {
    LibRun() {
        fake.desktop.size = {1920, 1080};
        fake.desktop.cursor = {12, 34};
        fake.desktop.windows = {{"Calculator", 42}, {"Edit", 43}};
    }
    const Log& desktop(std::string_view script) {
        run(script);
        return fake.desktop.log;
    }
};

}  // namespace

TEST(LibMouse, ForegroundMovesScaleToAbsoluteCoordinatesPlusOne) {
    LibRun t;
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"0\", 0, 0, 0)\n~Lib.MouseMsg(\"0\", 0, 1919, 1079)\n"
                       "~Lib.MouseMsg(\"0\", 0, 960, 540)\n"),
              (Log{"mouse 1 1 32769", "mouse 65502 65476 32769", "mouse 32769 32769 32769"}));
}

TEST(LibMouse, ForegroundProductOfTheFarthestPointsFitsThirtyTwoBits) {
    LibRun t;
    // 32767 × 65536 / 1920 truncates to 1118446; -32768 × 65536 / 1080 truncates
    // toward zero to -1988410, and -65536 / 1080 to -60.
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"0\", 0, 32767, -32768)\n~Lib.MouseMsg(\"0\", 0, 0, -1)\n"),
              (Log{"mouse 1118447 -1988409 32769", "mouse 1 -59 32769"}));
}

// 40000 once wrapped round in the product (foreground) or in the message's word
// (posted), and reached a point the script never named.
TEST(LibMouse, PointsBeyondSixteenSignedBitsEndTheRunBeforeAnyInput) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"0\", 0, 40000, 5", "3 parameter error: 40000"},
        {"\"0\", 2, 5, -32769", "4 parameter error: -32769"},
        {"123, 16, 65536, -1", "3 parameter error: 65536"},
        {"123, 3, 1, 99999999999", "4 parameter error: 99999999999"},
    };
    for (auto [arguments, error] : cases) {
        LibRun t;
        t.run(std::string("~Lib.MouseMsg(") + arguments + ")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Lib.MouseMsg -> Section ") + error +
                                         " (Numerical limit: -32768 ~ 32767)", t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << arguments;
    }
}

TEST(LibMouse, ForegroundButtonCodesAddTheirFlags) {
    LibRun t;
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"0\", 2, 0, 0)\n~Lib.MouseMsg(\"0\", 4, 0, 0)\n"
                       "~Lib.MouseMsg(\"0\", 8, 0, 0)\n~Lib.MouseMsg(\"0\", 16, 0, 0)\n"),
              (Log{"mouse 1 1 32771", "mouse 1 1 32773", "mouse 1 1 32777", "mouse 1 1 32785"}));
}

TEST(LibMouse, ScreenWithoutSizeDoesNotDivideByZero) {
    LibRun t;
    t.fake.desktop.size = {0, 0};
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"0\", 0, 5, 5)\n"), (Log{"mouse 1 1 32769"}));
}

TEST(LibMouse, WindowModePostsMessagesWithPackedClientCoordinates) {
    LibRun t;
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(123, 2, 10, 20)\n~Lib.MouseMsg(123, 0, 10, 20)\n"
                       "~Lib.MouseMsg(123, 4, 10, 20)\n~Lib.MouseMsg(123, 8, 10, 20)\n"
                       "~Lib.MouseMsg(123, 16, 32767, -1)\n"),
              (Log{"post 123 513 1 1310730", "post 123 512 1 1310730", "post 123 514 0 1310730",
                   "post 123 516 2 1310730", "post 123 517 0 4294934527"}));
}

TEST(LibMouse, OnlyTheExactTextZeroSelectsTheDesktop) {
    LibRun t;
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"00\", 2, 1, 2)\n~Lib.MouseMsg(0, 2, 1, 2)\n"),
              (Log{"post 0 513 1 131073", "mouse 35 122 32771"}));
}

TEST(LibMouse, UnknownCodesSendNothing) {
    LibRun t;
    EXPECT_EQ(t.desktop("~Lib.MouseMsg(\"0\", 3, 1, 2)\n~Lib.MouseMsg(5, 32, 1, 2)\n"), Log{});
}

TEST(LibKey, ForegroundRecordCarriesKeyScanCodeAndCode) {
    LibRun t;
    // The fake's scan code of a key is the key plus 1000.
    EXPECT_EQ(t.desktop("~Lib.KeybdMsg(\"0\", 2, 65)\n~Lib.KeybdMsg(\"0\", 0, 70000)\n~Lib.KeybdMsg(\"0\", 5, 13)\n"),
              (Log{"key 65 1065 2", "key 4464 5464 0", "key 13 1013 5"}));
}

TEST(LibKey, WindowModePostsScanCodeInBitsSixteenToTwentyThree) {
    LibRun t;
    // Scan code 1065 keeps its low byte 41: 41 × 65536.
    EXPECT_EQ(t.desktop("~Lib.KeybdMsg(7, 0, 65)\n~Lib.KeybdMsg(7, 2, -1)\n~Lib.KeybdMsg(7, 1, 65)\n"),
              (Log{"post 7 256 65 2686976", "post 7 257 18446744073709551615 15138816"}));
}

TEST(LibConvert, HexDecAndRgb) {
    LibRun t;
    t.run("~Dos.Print(~Lib.Hex(255) \",\" ~Lib.Hex(-1) \",\" ~Lib.Hex(12.7))\n"
          "~Dos.Print(\",\" ~Lib.Dec(\"FF\") \",\" ~Lib.Dec(\"ffffffff\") \",\" ~Lib.Dec(\"7fffffff\"))\n"
          "~Dos.Print(\",\" ~Lib.Rgb(1, 2, 3) \",\" ~Lib.Rgb(511, 256, -256) \",\" ~Lib.Rgb(0, 0, 255))\n");
    EXPECT_EQ(t.out(), "ff,ffffffff,c,255,-1,2147483647,197121,255,16711680");
}

TEST(LibState, KeyStateCursorAndSleep) {
    LibRun t;
    t.run("~Dos.Print(~Lib.GetKey(65) \",\" ~Lib.GetX() \",\" ~Lib.GetY())\n~Lib.Sleep(30)\n~Lib.Sleep(-5)\n");
    EXPECT_EQ(t.out(), "-32767,12,34");
    EXPECT_EQ(t.fake.desktop.log, (Log{"cursor", "cursor", "keystate 65", "sleep 30", "sleep 0"}));
}

TEST(LibWindows, FindWindowsAndActivate) {
    LibRun t;
    t.run("~Dos.Print(~Lib.FindWindow(\"Calculator\") \",\" ~Lib.FindWindow(\"None\"))\n"
          "~Dos.Print(\",\" ~Lib.FindWindowEx(42, \"Edit\"))\n~Lib.Active(42)\n");
    EXPECT_EQ(t.out(), "42,0,43");
    EXPECT_EQ(t.fake.desktop.log, (Log{"child 42 Edit", "foreground 42"}));
}

TEST(LibFrame, CountErrorNamesTheExpectedCountAfterTheCursorRead) {
    LibRun t;
    t.run("$x = ~Lib.GetX(1)\n");
    EXPECT_EQ(t.out(), Report(1, "~lib.getx -> Several parameters: 0", t.entry(0)));
    EXPECT_EQ(t.fake.desktop.log, Log{"cursor"});
}

TEST(LibFrame, CountComesBeforePositionAndNothingHappens) {
    LibRun t;
    t.run("$a = ~Lib.MouseMsg(\"0\", 0, 0)\n");
    EXPECT_EQ(t.out(), Report(1, "~lib.mousemsg -> Several parameters: 4", t.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
}

TEST(LibFrame, PositionErrors) {
    LibRun sleep;
    sleep.run("$a = ~Lib.Sleep(1)\n");
    EXPECT_EQ(sleep.out(), Report(1, "Prohibit the return value of the data: ~lib.sleep", sleep.entry(0)));
    EXPECT_TRUE(sleep.fake.desktop.log.empty());
    LibRun find;
    find.run("~Lib.FindWindow(\"Calculator\")\n");
    EXPECT_EQ(find.out(), Report(1, "Need to return value to the data: ~lib.findwindow", find.entry(0)));
}

TEST(LibFrame, ImportedNamesWorkWithoutPrefix) {
    LibRun t;
    EXPECT_EQ(t.desktop("#Import <lib>\n~Sleep(5)\n~Lib.Sleep(6)\n~Dos.Print(~Hex(171))\n"),
              (Log{"sleep 5", "sleep 6"}));
    EXPECT_EQ(t.out(), "ab");
}

}  // namespace ml

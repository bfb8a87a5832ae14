// The desk module on the recording fake: what each function hands the desktop, the
// values it gives, and its argument checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;

// A 1920 × 1080 desktop showing three windows, topmost first.
struct DeskRun : TestRun {
    DeskRun() {
        fake.desktop.size = {1920, 1080};
        fake.desktop.shown = {{11, "Notes - Editor", {10, 20, 300, 200}},
                              {22, "Calculator", {400, 50, 228, 396}},
                              {33, "Terminal", {-5, 600, 800, 400}}};
    }
    const Log& desktop(std::string_view script) {
        run(script);
        return fake.desktop.log;
    }
};

}  // namespace

TEST(DeskType, HandsTheTextToTheDesktopSynthesisedOrPostedToTheWindow) {
    DeskRun t;
    EXPECT_EQ(t.desktop("~Desk.Type(0, \"Hello, World!\\x0a\")\n~Desk.Type(22, \"a\\x09b\")\n"
                        "~Desk.Type(\"00\", \"lost\")\n"),
              (Log{"type 0 Hello, World!\n", "type 22 a\tb"}));
}

TEST(DeskType, ACharacterNoKeyTypesEndsTheRunNamingItAndNothingIsTyped) {
    DeskRun t;
    t.fake.desktop.untypeable = "\xd0\x96";
    t.run("~Desk.Type(0, \"ab\xd0\x96" "c\")\n~Desk.Type(0, \"after\")\n");
    EXPECT_EQ(t.out(), Report(1, "~Desk.Type -> Can not type the character: \xd0\x96", t.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
    // The display language's message, and a byte that is no character by itself named
    // by its escape.
    DeskRun chinese;
    chinese.in->language = '3';
    chinese.fake.desktop.untypeable = "\xe9";
    chinese.run("~Desk.Type(22, \"caf\\xe9\")\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Type -> 無法輸入的字元: \\xe9\n錯誤：" + chinese.entry(0) + "\n");
}

TEST(DeskKey, NamesInAnyCaseGiveTheVirtualKeyNumbers) {
    EXPECT_EQ(Printed("#Import <desk>\n#Import <dos>\n"
                      "~Print(~Key(\"a\") \",\" ~Key(\"Z\") \",\" ~Key(\"7\") \",\" ~Key(\"ENTER\") \",\" ~Key(\"tab\"))\n"
                      "~Print(\",\" ~Key(\"Esc\") \",\" ~Key(\"space\") \",\" ~Key(\"backspace\") \",\" ~Key(\"delete\"))\n"
                      "~Print(\",\" ~Key(\"PageUp\") \",\" ~Key(\"pagedown\") \",\" ~Key(\"left\") \",\" ~Key(\"down\"))\n"
                      "~Print(\",\" ~Key(\"shift\") \",\" ~Key(\"ctrl\") \",\" ~Key(\"alt\") \",\" ~Key(\"win\"))\n"
                      "~Print(\",\" ~Key(\"F1\") \",\" ~Key(\"f12\") \",\" ~Key(\"f24\") \",\" ~Key(\"comma\"))\n"
                      "~Print(\",\" ~Key(\"slash\") \",\" ~Key(\"quote\") \",\" ~Key(\"leftbracket\"))\n"),
              "65,90,55,13,9,27,32,8,46,33,34,37,40,16,17,18,91,112,123,135,188,191,222,219");
}

TEST(DeskKey, AnUnknownNameEndsTheRunNamingIt) {
    for (const char* name : {"f25", "f0", "f01", "enterr", "", "ab"}) {
        DeskRun t;
        t.run(std::string("$k = ~Desk.Key(\"") + name + "\")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Desk.Key -> Unknown key name: ") + name, t.entry(0))) << name;
    }
}

TEST(DeskWindows, WaitLooksEveryFiftyMillisecondsUntilTheTimeIsUp) {
    DeskRun found;
    found.run("#Import <dos>\n~Dos.Print(~Desk.Wait(\"Calculator\", 1000))\n");
    EXPECT_EQ(found.out(), "22");
    EXPECT_TRUE(found.fake.desktop.log.empty());
    DeskRun missing;
    missing.run("#Import <dos>\n~Dos.Print(~Desk.Wait(\"Calc\", 120) ~Desk.Wait(\"Calc\", -5))\n");
    EXPECT_EQ(missing.out(), "00");
    EXPECT_EQ(missing.fake.desktop.log, (Log{"sleep 50", "sleep 50", "sleep 20"}));
}

TEST(DeskWindows, FindTakesTheFirstTitleContainingTheTextCaseSensitively) {
    DeskRun t;
    t.run("#Import <desk>\n#Import <dos>\n~Print(~Find(\"Calc\") \",\" ~Find(\"calc\") \",\" ~Find(\"r\") \",\" "
          "~Find(\"Editor\"))\n");
    EXPECT_EQ(t.out(), "22,0,11,11");
}

TEST(DeskWindows, NextListsTheWindowsFromTheTopThenGivesZero) {
    DeskRun t;
    t.run("#Import <desk>\n#Import <dos>\n$w = ~Next(0)\nCmp ($w <> 0)\n~Print(~Title($w) \";\")\n$w = ~Next($w)\n"
          "Loop\n~Print(~Next(99) ~Next(33))\n");
    EXPECT_EQ(t.out(), "Notes - Editor;Calculator;Terminal;00");
}

TEST(DeskWindows, TitleIsCutToAValueAndEmptyForNoWindow) {
    DeskRun t;
    t.fake.desktop.shown[0].title = std::string(300, 't');
    t.run("#Import <desk>\n#Import <dos>\n~Print(~String.Len(~Title(11)) \",\" ~Title(0) \",\" ~Title(5) \",\")\n");
    EXPECT_EQ(t.out(), "255,,,");
}

TEST(DeskWindows, RectangleOfAWindowOfTheScreenAndOfNoWindow) {
    DeskRun t;
    t.run("#Import <desk>\n#Import <dos>\n~Print(~X(33) \",\" ~Y(33) \",\" ~Width(33) \",\" ~Height(33))\n"
          "~Print(\";\" ~X(0) \",\" ~Y(0) \",\" ~Width(0) \",\" ~Height(0))\n"
          "~Print(\";\" ~X(5) \",\" ~Y(5) \",\" ~Width(5) \",\" ~Height(5))\n");
    EXPECT_EQ(t.out(), "-5,600,800,400;0,0,1920,1080;0,0,0,0");
}

TEST(DeskWindows, MoveKeepsTheSizeGivenAsNegativeAndSkipsMissingWindows) {
    DeskRun t;
    EXPECT_EQ(t.desktop("~Desk.Move(22, 1, 2, 300, 400)\n~Desk.Move(22, -10, 5, -1, 99)\n~Desk.Move(22, 0, 0, 7, -3)\n"
                        "~Desk.Move(5, 1, 2, 3, 4)\n~Desk.Move(0, 1, 2, 3, 4)\n"),
              (Log{"move 22 1 2 300 400", "move 22 -10 5 228 99", "move 22 0 0 7 396"}));
}

TEST(DeskWindows, MoveTakesTheFarthestCornersAndAnyNegativeSize) {
    DeskRun t;
    EXPECT_EQ(t.desktop("~Desk.Move(22, -32768, 32767, 65535, -99999999999)\n"),
              (Log{"move 22 -32768 32767 65535 396"}));
}

// X11 carries a corner in 16 signed bits and a size in 16 unsigned ones: x 100000
// once put the window at -31072.
TEST(DeskWindows, MoveBeyondSixteenBitsEndsTheRunBeforeTheWindowMoves) {
    const std::pair<const char*, const char*> cases[] = {
        {"22, 100000, 0, 300, 400", "2 parameter error: 100000 (Numerical limit: -32768 ~ 32767)"},
        {"22, 0, -32769, 300, 400", "3 parameter error: -32769 (Numerical limit: -32768 ~ 32767)"},
        {"22, 0, 0, 65536, 400", "4 parameter error: 65536 (Numerical limit: 0 ~ 65535, or negative)"},
        {"0, 0, 0, -1, 70000", "5 parameter error: 70000 (Numerical limit: 0 ~ 65535, or negative)"},
    };
    for (auto [arguments, error] : cases) {
        DeskRun t;
        t.run(std::string("~Desk.Move(") + arguments + ")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Desk.Move -> Section ") + error, t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << arguments;
    }
}

TEST(DeskWindows, CloseAsksTheWindowButNeverTheDesktop) {
    DeskRun t;
    EXPECT_EQ(t.desktop("~Desk.Close(22)\n~Desk.Close(0)\n"), (Log{"close 22"}));
}

TEST(DeskClick, SynthesisedClicksPressAndReleaseAtTheScaledPoint) {
    DeskRun t;
    // 960 × 65536 / 1920 + 1 and 540 × 65536 / 1080 + 1 (one monitor: the whole desktop
    // is the screen); move and virtual-desktop flags plus the button's.
    EXPECT_EQ(t.desktop("~Desk.Click(0, \"left\", 960, 540, 1)\n~Desk.Click(0, \"Right\", 960, 540, 2)\n"
                        "~Desk.Click(0, \"MIDDLE\", 0, 0, 1)\n"),
              (Log{"mouse 32769 32769 49155", "mouse 32769 32769 49157", "mouse 32769 32769 49161",
                   "mouse 32769 32769 49169", "mouse 32769 32769 49161", "mouse 32769 32769 49169",
                   "mouse 1 1 49185", "mouse 1 1 49217"}));
}

TEST(DeskClick, PostedDoubleClickSendsTheDoubleClickMessageSecond) {
    DeskRun t;
    // Point (10, 20): 20 × 65536 + 10 = 1310730.
    EXPECT_EQ(t.desktop("~Desk.Click(7, \"middle\", 10, 20, 2)\n~Desk.Click(7, \"left\", 10, 20, 1)\n"
                        "~Desk.Click(\"00\", \"left\", 10, 20, 1)\n"),
              (Log{"post 7 512 0 1310730", "post 7 519 16 1310730", "post 7 520 0 1310730", "post 7 521 16 1310730",
                   "post 7 520 0 1310730", "post 7 512 0 1310730", "post 7 513 1 1310730", "post 7 514 0 1310730"}));
}

TEST(DeskClick, AWrongButtonOrCountEndsTheRunBeforeAnyInput) {
    DeskRun button;
    button.run("~Desk.Click(0, \"centre\", 1, 2, 1)\n");
    EXPECT_EQ(button.out(), Report(1, "~Desk.Click -> Section 2 parameter error: centre (left, middle, right)",
                                   button.entry(0)));
    EXPECT_TRUE(button.fake.desktop.log.empty());
    DeskRun count;
    count.run("~Desk.Click(0, \"left\", 1, 2, 3)\n");
    EXPECT_EQ(count.out(), Report(1, "~Desk.Click -> Section 5 parameter error: 3 (Numerical limit: 1 ~ 2)",
                                  count.entry(0)));
    EXPECT_TRUE(count.fake.desktop.log.empty());
}

TEST(DeskClick, PointsBeyondSixteenSignedBitsEndTheRunBeforeAnyInput) {
    const std::pair<const char*, const char*> cases[] = {
        {"~Desk.Click(0, \"left\", 40000, 2, 1)", "~Desk.Click -> Section 3 parameter error: 40000"},
        {"~Desk.Click(7, \"left\", 1, -40000, 2)", "~Desk.Click -> Section 4 parameter error: -40000"},
        {"~Desk.Wheel(0, 1, 65536, 0)", "~Desk.Wheel -> Section 3 parameter error: 65536"},
        {"~Desk.Wheel(7, -1, 0, 32768)", "~Desk.Wheel -> Section 4 parameter error: 32768"},
    };
    for (auto [call, error] : cases) {
        DeskRun t;
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, std::string(error) + " (Numerical limit: -32768 ~ 32767)", t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
}

TEST(DeskWheel, SynthesisedOneRecordPostedOneNotchAMessageAtScreenCoordinates) {
    DeskRun t;
    // The fake puts window 7's client area at (1007, 2007): (1017, 2027) packs to
    // 2027 × 65536 + 1017 = 132842489; -120 is 0xFF88 in the high word of wParam.
    EXPECT_EQ(t.desktop("~Desk.Wheel(0, 3, 960, 540)\n~Desk.Wheel(7, -2, 10, 20)\n~Desk.Wheel(0, 0, 1, 1)\n"
                        "~Desk.Wheel(0, -5000, 0, 0)\n"),
              (Log{"mouse 32769 32769 51201 wheel 360", "post 7 522 4287102976 132842489",
                   "post 7 522 4287102976 132842489", "mouse 1 1 51201 wheel -120000"}));
}

TEST(DeskCapture, PngByTheNameInAnyCaseOtherwiseABitmap) {
    DeskRun t;
    t.fake.desktop.blankScreen(4, 2);
    t.fake.desktop.insides[22] = {3, 1};
    t.run("~Desk.Capture(0, \"shot.PNG\")\n~Desk.Capture(22, \"shot.bmp\")\n~Desk.Capture(22, \"window.png\")\n");
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 0", "png 4x2", "write shot.PNG", "desktop image 22", "write shot.bmp", "desktop image 22",
                                       "png 3x1", "write window.png"}));
    const std::vector<std::uint8_t>& png = t.fake.desktop.files["shot.PNG"];
    EXPECT_EQ(std::string(png.begin(), png.end()), "png 4x2");
    // 54 header bytes and one row of 3 pixels, 9 bytes padded to 12.
    EXPECT_EQ(t.fake.desktop.files["shot.bmp"].size(), 54u + 12u);
}

// The snapshot is screen-sized with the inside at its top-left corner; the picture is
// that corner, bottom row first, each row padded with zeros whatever lay beside it.
TEST(DeskCapture, AWindowsPictureIsItsInsideAtItsOwnSize) {
    DeskRun t;
    t.fake.desktop.blankScreen(5, 3);
    t.fake.desktop.insides[22] = {2, 2};
    t.fake.desktop.paint(0, 0, 0x030201);
    t.fake.desktop.paint(1, 1, 0x060504);
    t.fake.desktop.paint(2, 0, 0xFFFFFF);   // beside the inside
    t.fake.desktop.paint(0, 2, 0xFFFFFF);   // below it
    t.run("~Desk.Capture(22, \"inside.bmp\")\n~Lib.Capture(22, \"lib.bmp\")\n");
    const std::vector<std::uint8_t>& bitmap = t.fake.desktop.files["inside.bmp"];
    ASSERT_EQ(bitmap.size(), 54u + 16u);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.begin() + 18, bitmap.begin() + 26),
              (std::vector<std::uint8_t>{2, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.begin() + 54, bitmap.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 6, 5, 4, 0, 0, 3, 2, 1, 0, 0, 0, 0, 0}));
    // lib's capture keeps the screen's size: three rows of 15 bytes padded to 16.
    EXPECT_EQ(t.fake.desktop.files["lib.bmp"].size(), 54u + 48u);
}

// An inside that reaches past the screen is cut where the screen ends; a window that
// is gone has no picture, and nothing is written.
TEST(DeskCapture, AnInsideIsCutAtTheScreenAndAGoneWindowHasNoPicture) {
    DeskRun t;
    t.fake.desktop.blankScreen(5, 3);
    t.fake.desktop.insides[22] = {900, 2};
    t.run("~Desk.Capture(22, \"wide.png\")\n~Desk.Capture(44, \"gone.png\")\n");
    EXPECT_EQ(t.out(), Report(2, "Can not take the picture for the file: gone.png", t.entry(1)));
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 22", "png 5x2", "write wide.png"}));
    EXPECT_EQ(t.fake.desktop.files.count("gone.png"), 0u);
}

TEST(DeskCapture, APngThatCannotBeMadeOrWrittenEndsTheRunNamingTheFile) {
    DeskRun encoder;
    encoder.fake.desktop.blankScreen(4, 2);
    encoder.fake.desktop.pngEncodable = false;
    encoder.run("~Desk.Capture(0, \"a.png\")\n");
    EXPECT_EQ(encoder.out(), Report(1, "Can not make the PNG picture for the file: a.png", encoder.entry(0)));
    EXPECT_EQ(encoder.fake.desktop.log, (Log{"desktop image 0", "png 4x2"}));
    DeskRun file;
    file.fake.desktop.blankScreen(4, 2);
    file.fake.desktop.fileWrite = FileWrite::NotPlainFile;
    file.run("~Desk.Capture(0, \"link.png\")\n");
    EXPECT_EQ(file.out(), Report(1, "Can not write the picture file: link.png (not a regular file: left as it is)",
                                 file.entry(0)));
}

// Each call that needs the display says so at once, naming it, and hands nothing on.
TEST(DeskDisplay, WithoutADisplayEveryCallThatNeedsItEndsTheRun) {
    for (const char* call : {"~Desk.Type(0, \"a\")", "~Desk.Click(0, \"left\", 1, 1, 1)", "~Desk.Click(7, \"left\", 1, 1, 2)",
                             "~Desk.Wheel(7, 1, 1, 1)", "$w = ~Desk.Wait(\"Calculator\", 5000)", "$w = ~Desk.Find(\"a\")",
                             "$w = ~Desk.Next(0)", "$w = ~Desk.Title(11)", "$w = ~Desk.Width(0)",
                             "~Desk.Move(11, 0, 0, -1, -1)", "~Desk.Close(11)", "~Desk.Capture(0, \"a.png\")",
                             "~Lib.Active(11)", "$w = ~Lib.FindWindow(\"Calculator\")", "~Lib.MouseMsg(0, 2, 1, 1)",
                             "~Lib.KeybdMsg(11, 0, 65)", "$k = ~Lib.GetKey(65)", "$x = ~Lib.GetX()",
                             "$p = ~Lib.GetPixel(0, 1, 1)"}) {
        DeskRun t;
        t.fake.desktop.display = {false, "DISPLAY=:7"};
        t.run(std::string(call) + "\n");
        const bool capture = std::string(call).find("Capture") != std::string::npos;
        EXPECT_EQ(t.out(), Report(1, capture ? "Can not take the picture for the file: a.png (No display to work on: DISPLAY=:7)"
                                             : "No display to work on: DISPLAY=:7",
                                  t.entry(0)))
            << call;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
}

TEST(DeskDisplay, CallsThatNeedNoDisplayRunWithoutOne) {
    DeskRun t;
    t.fake.desktop.display = {false, {}};
    t.run("#Import <dos>\n~Desk.Type(\"00\", \"lost\")\n~Desk.Click(\"00\", \"left\", 1, 1, 1)\n~Desk.Close(0)\n"
          "~Desk.Move(0, 1, 1, 1, 1)\n~Desk.Wheel(0, 0, 1, 1)\n~Lib.Sleep(5)\n"
          "~Print(~Desk.Key(\"a\") \"[\" ~Desk.Title(0) \"]\" ~Lib.Rgb(1, 2, 3) ~Lib.Hex(255))\n");
    EXPECT_EQ(t.out(), "65[]197121ff");
    EXPECT_EQ(t.fake.desktop.log, (Log{"sleep 5"}));
}

TEST(DeskFrame, CountAndPositionChecksComeFromTheTable) {
    DeskRun count;
    count.run("~Desk.Move(1, 2, 3, 4)\n");
    EXPECT_EQ(count.out(), Report(1, "~desk.move -> Several parameters: 5", count.entry(0)));
    DeskRun value;
    value.run("~Desk.Find(\"a\")\n");
    EXPECT_EQ(value.out(), Report(1, "Need to return value to the data: ~desk.find", value.entry(0)));
    DeskRun statement;
    statement.run("$a = ~Desk.Close(1)\n");
    EXPECT_EQ(statement.out(), Report(1, "Prohibit the return value of the data: ~desk.close", statement.entry(0)));
    EXPECT_TRUE(count.fake.desktop.log.empty() && value.fake.desktop.log.empty() && statement.fake.desktop.log.empty());
}

TEST(DeskFrame, ShortNamesOnlyAfterTheImportAndLibKeepsItsCapture) {
    DeskRun plain;
    plain.run("~Close(22)\n");
    EXPECT_TRUE(plain.ended);
    EXPECT_TRUE(plain.fake.desktop.log.empty());
    DeskRun both;
    both.fake.desktop.blankScreen(4, 2);
    // With lib imported too, Capture is still lib's: a bitmap whatever the name.
    both.run("#Import <lib>\n#Import <desk>\n~Close(22)\n~Capture(0, \"a.png\")\n");
    EXPECT_EQ(both.fake.desktop.log, (Log{"close 22", "image 0", "write a.png"}));
    EXPECT_EQ(both.fake.desktop.files["a.png"].size(), 54u + 24u);
}

TEST(DeskWindows, FindWithATimeLooksEveryFiftyMillisecondsForATitleContainingTheText) {
    DeskRun late;
    late.fake.desktop.whileSleeping = [&](int sleeps) {
        if (sleeps == 3) late.fake.desktop.shown.push_back({44, "Late Message", {0, 0, 10, 10}});
    };
    late.run("#Import <desk>\n#Import <dos>\n~Print(~Find(\"Message\", 5000))\n");
    EXPECT_EQ(late.out(), "44");
    EXPECT_EQ(late.fake.desktop.log, (Log{"sleep 50", "sleep 50", "sleep 50"}));
    // No time, or none left, is one look; one argument is the look it always was.
    DeskRun missing;
    missing.run("#Import <desk>\n#Import <dos>\n~Print(~Find(\"Message\", 120) ~Find(\"Message\", -1) "
                "~Find(\"Message\", 0) ~Find(\"Message\") \",\" ~Find(\"Calc\", 100))\n");
    EXPECT_EQ(missing.out(), "0000,22");
    EXPECT_EQ(missing.fake.desktop.log, (Log{"sleep 50", "sleep 50", "sleep 20"}));
}

TEST(DeskWindows, FindTakesOneOrTwoArgumentsAndReportsItsClassicCount) {
    for (const char* call : {"$w = ~Desk.Find()", "$w = ~Desk.Find(\"a\", 1, 2)"}) {
        DeskRun t;
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, "~desk.find -> Several parameters: 1", t.entry(0))) << call;
    }
    DeskRun other;
    other.run("$w = ~Desk.Focused(1)\n");
    EXPECT_EQ(other.out(), Report(1, "~desk.focused -> Several parameters: 0", other.entry(0)));
}

TEST(DeskWindows, WaitCloseGivesOneOnceTheWindowIsGoneAndZeroAfterTheTime) {
    DeskRun closing;
    closing.fake.desktop.whileSleeping = [&](int sleeps) {
        if (sleeps == 2) closing.fake.desktop.shown.erase(closing.fake.desktop.shown.begin() + 1);
    };
    closing.run("#Import <desk>\n#Import <dos>\n~Print(~WaitClose(22, 5000))\n");
    EXPECT_EQ(closing.out(), "1");
    EXPECT_EQ(closing.fake.desktop.log, (Log{"sleep 50", "sleep 50"}));
    DeskRun staying;
    staying.run("#Import <desk>\n#Import <dos>\n~Print(~WaitClose(22, 70) ~WaitClose(11, 0) \",\" ~WaitClose(5, 900) "
                "~WaitClose(0, 900))\n");
    EXPECT_EQ(staying.out(), "00,11");
    EXPECT_EQ(staying.fake.desktop.log, (Log{"sleep 50", "sleep 20"}));
}

TEST(DeskWindows, FocusedGivesTheDesktopsAnswer) {
    DeskRun t;
    t.fake.desktop.focused = 33;
    t.run("#Import <desk>\n#Import <dos>\n~Print(~Focused())\n");
    DeskRun none;
    none.run("#Import <desk>\n#Import <dos>\n~Print(~Focused())\n");
    EXPECT_EQ(t.out() + none.out(), "330");
}

TEST(DeskWindows, AtGivesTheTopmostWindowWhoseRectangleHoldsThePoint) {
    DeskRun t;
    // Window 22 is put under 11 and covering the screen's top-left part.
    t.fake.desktop.shown[1].rect = {0, 0, 1000, 500};
    t.run("#Import <desk>\n#Import <dos>\n~Print(~At(10, 20) \",\" ~At(309, 219) \",\" ~At(310, 219) \",\" "
          "~At(9, 20) \",\" ~At(999, 499) \",\" ~At(1000, 499))\n"
          "~Print(\";\" ~At(-5, 999) \",\" ~At(-6, 999) \",\" ~At(794, 1000) \",\" ~At(-32768, 32767))\n");
    EXPECT_EQ(t.out(), "11,11,22,22,22,0;33,0,0,0");
}

TEST(DeskWindows, AtTakesPointsOfSixteenSignedBits) {
    const std::pair<const char*, const char*> cases[] = {
        {"$w = ~Desk.At(32768, 0)", "~Desk.At -> Section 1 parameter error: 32768"},
        {"$w = ~Desk.At(0, -32769)", "~Desk.At -> Section 2 parameter error: -32769"},
    };
    for (auto [call, error] : cases) {
        DeskRun t;
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, std::string(error) + " (Numerical limit: -32768 ~ 32767)", t.entry(0))) << call;
    }
}

TEST(DeskWindows, MouseXAndYGiveTheCursorsScreenPosition) {
    DeskRun t;
    t.fake.desktop.cursor = {1919, -3};
    t.run("#Import <desk>\n#Import <dos>\n~Print(~MouseX() \",\" ~MouseY())\n");
    EXPECT_EQ(t.out(), "1919,-3");
}

TEST(DeskDisplay, TheNewWindowCallsNeedTheDisplay) {
    for (const char* call : {"$w = ~Desk.Find(\"a\", 100)", "$w = ~Desk.WaitClose(11, 100)", "$w = ~Desk.Focused()",
                             "$w = ~Desk.At(1, 1)", "$w = ~Desk.MouseX()", "$w = ~Desk.MouseY()"}) {
        DeskRun t;
        t.fake.desktop.display = {false, "DISPLAY=:7"};
        t.run(std::string(call) + "\n");
        EXPECT_EQ(t.out(), Report(1, "No display to work on: DISPLAY=:7", t.entry(0))) << call;
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
}

}  // namespace ml

namespace ml {

// The words after the script's name are data: whatever they hold reaches the script
// as text, cut to a value, and runs nothing.
TEST(DeskArguments, EachWordAsGivenAndEmptyPastTheLast) {
    TestRun t;
    t.in->scriptArguments = {"s.txt", "two words", "é", "~Dos.Print(\"x\")", "$secret", std::string(300, 'a')};
    t.run("#Import <dos>\n$secret = \"no\"\n~Print(~Desk.ArgCount())\n$i = 0\n"
          "Cmp ($i < 5)\n  ~Print(\"|\" ~Desk.Arg($i))\n  $i = $i + 1\nLoop\n"
          "~Print(\"|\" ~Desk.Arg(6) \"|\" ~Desk.Arg(\"x\") \"|\")\n$long = ~Desk.Arg(5)\n~Print($long)\n");
    EXPECT_FALSE(t.ended) << t.out();
    EXPECT_EQ(t.out(), "5|s.txt|two words|é|~Dos.Print(\"x\")|$secret||s.txt|" + std::string(255, 'a'));
}

TEST(DeskArguments, ANegativeNumberEndsTheRun) {
    TestRun t;
    t.in->scriptArguments = {"s.txt"};
    t.run("$a = ~Desk.Arg(-1)\n");
    EXPECT_EQ(t.out(), Report(1, "~Desk.Arg -> Section 1 parameter error: -1 (Numerical limit: 0 or above)", t.entry(0)));
    EXPECT_EQ(Printed("#Import <dos>\n~Print(~Desk.ArgCount() \"[\" ~Desk.Arg(0) \"]\")\n"), "0[]");
}

}  // namespace ml

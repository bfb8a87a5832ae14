// ~Desk.Look, ~Desk.FoundX and ~Desk.FoundY on the recording fake: pictures of every
// kind found in a window's inside or on the screen, the looks and sleeps of a wait,
// where a match is reported, and the argument and file errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "picture_bytes.h"
#include "test_run.h"

namespace ml {

namespace {

using Log = std::vector<std::string>;
using picture_bytes::Bytes;

// Colours as 0xRRGGBB, which is also how the bitmap files below store them.
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080;

// 3 x 2 pixels, rows top first.
const std::vector<std::uint32_t> kPattern = {kRed, kGreen, kBlue, kGrey, kBlue, kRed};

// The colour number the fake paints with: R + 256 G + 65536 B.
std::uint32_t Painted(std::uint32_t rgb) { return (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

// A 32-bit bitmap of the pattern, top row first.
Bytes ThirtyTwoBitFile() {
    picture_bytes::Bitmap b;
    b.width = 3;
    b.height = -2;
    b.bits = 32;
    b.pixels = picture_bytes::PackRows(3, 32, kPattern);
    return picture_bytes::BitmapFile(b);
}

// An 8-bit bitmap of the pattern through a palette, bottom row first.
Bytes EightBitFile() {
    picture_bytes::Bitmap b;
    b.width = 3;
    b.height = 2;
    b.bits = 8;
    b.palette = {kRed, kGreen, kBlue, kGrey};
    b.coloursUsed = 4;
    b.pixels = picture_bytes::PackRows(3, 8, {3, 2, 0, 0, 1, 2});
    return picture_bytes::BitmapFile(b);
}

// A 64 x 48 screen on which window 7's inside is 20 x 10; the pattern is known as
// "pattern.bmp" (32 bits) and "pattern8.bmp" (8 bits).
struct LookRun : TestRun {
    LookRun() {
        fake.desktop.blankScreen(64, 48);
        fake.desktop.insides[7] = {20, 10};
        fake.desktop.pictureFiles["pattern.bmp"] = ThirtyTwoBitFile();
        fake.desktop.pictureFiles["pattern8.bmp"] = EightBitFile();
    }
    // Paints the pattern with its top-left corner at (x, y) of the image the fake hands out.
    void place(int x, int y) {
        for (int i = 0; i < 6; ++i) fake.desktop.paint(x + i % 3, y + i / 3, Painted(kPattern[static_cast<std::size_t>(i)]));
    }
    // What a look gives, then the point it leaves: "found x y|". A line's calls run
    // from the last, so the point is read on a line of its own.
    std::string look(const std::string& arguments) {
        const std::size_t before = out().size();
        run("$found = ~Desk.Look(" + arguments + ")\n~Dos.Print($found \" \" ~Desk.FoundX() \" \" ~Desk.FoundY() \"|\")\n");
        return out().substr(before);
    }
};

}  // namespace

TEST(DeskLook, FindsThePictureInAWindowsInsideAndGivesItsCentreThere) {
    LookRun t;
    t.place(5, 4);
    // The centre of a 3 x 2 picture at (5, 4): (5 + 1, 4 + 1).
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 0"), "1 6 5|");
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 7"}));
    EXPECT_EQ(t.look("7, \"pattern8.bmp\", 0, 0"), "1 6 5|");
}

TEST(DeskLook, TheTopLeftCornerCountsAsFound) {
    LookRun t;
    t.place(0, 0);
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 0"), "1 1 1|");
    EXPECT_EQ(t.look("0, \"pattern8.bmp\", 0, 0"), "1 1 1|");
}

// The window's snapshot is screen-sized; what lies beyond its inside is not the window.
TEST(DeskLook, APictureReachingPastTheInsideIsNotInTheWindowButOnTheScreen) {
    LookRun t;
    t.place(18, 2);
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 0"), "0 -1 -1|");
    EXPECT_EQ(t.look("0, \"pattern.bmp\", 0, 0"), "1 19 3|");
    LookRun below;
    below.place(2, 9);
    EXPECT_EQ(below.look("7, \"pattern8.bmp\", 0, 0"), "0 -1 -1|");
    LookRun inside;
    inside.place(17, 8);   // its last pixel is the inside's last, (19, 9)
    EXPECT_EQ(inside.look("7, \"pattern.bmp\", 0, 0"), "1 18 9|");
}

TEST(DeskLook, ToleranceIsPlusOrMinusTOnEachChannel) {
    LookRun t;
    t.place(5, 4);
    t.fake.desktop.paint(6, 5, Painted(0x0A0AF5));   // the blue pixel, 10 off on each channel
    EXPECT_EQ(t.look("0, \"pattern.bmp\", 9, 0"), "0 -1 -1|");
    EXPECT_EQ(t.look("0, \"pattern.bmp\", 10, 0"), "1 6 5|");
}

// ~Lib.FindRGB reads the same file with the colours the transparent pixels hold.
TEST(DeskLook, FullyTransparentPngPixelsMatchAnything) {
    LookRun t;
    picture_bytes::Png png;
    png.width = 3;
    png.height = 1;
    png.colourType = 6;
    png.rows = Bytes(12, 0);
    t.fake.desktop.pictureFiles["hole.png"] = picture_bytes::PngFile(png);
    // Red, then a transparent pixel that holds black, then green, which is faint.
    t.fake.desktop.pngImage = {3, 1, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 1}};
    t.fake.desktop.paint(30, 20, Painted(kRed));
    t.fake.desktop.paint(31, 20, Painted(kBlue));
    t.fake.desktop.paint(32, 20, Painted(kGreen));
    EXPECT_EQ(t.look("0, \"hole.png\", 0, 0"), "1 31 20|");
    t.run("~Dos.Print(~Lib.FindRGB(0, 0, 0, 64, 48, \"hole.png\", 0))\n");
    EXPECT_EQ(t.out(), "1 31 20|0");
}

TEST(DeskLook, LooksAgainEveryFiftyMillisecondsUntilThePictureShows) {
    LookRun t;
    t.fake.desktop.comingImages = {t.fake.desktop.image, t.fake.desktop.image};
    t.place(40, 30);
    EXPECT_EQ(t.look("0, \"pattern.bmp\", 0, 1000"), "1 41 31|");
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 0", "sleep 50", "desktop image 0", "sleep 50", "desktop image 0"}));
}

TEST(DeskLook, GivesUpOnceTheTimeIsSpentAndATimeOfZeroOrLessLooksOnce) {
    LookRun t;
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 120"), "0 -1 -1|");
    EXPECT_EQ(t.fake.desktop.log,
              (Log{"desktop image 7", "sleep 50", "desktop image 7", "sleep 50", "desktop image 7", "sleep 20", "desktop image 7"}));
    LookRun once;
    EXPECT_EQ(once.look("7, \"pattern.bmp\", 0, -5000"), "0 -1 -1|");
    EXPECT_EQ(once.look("0, \"pattern.bmp\", 0, 0"), "0 -1 -1|");
    EXPECT_EQ(once.fake.desktop.log, (Log{"desktop image 7", "desktop image 0"}));
}

// A gone window has no inside to look at; the wait still runs its time.
TEST(DeskLook, AWindowThatIsGoneShowsNothing) {
    LookRun t;
    t.place(5, 4);
    EXPECT_EQ(t.look("99, \"pattern.bmp\", 0, 60"), "0 -1 -1|");
    EXPECT_EQ(t.fake.desktop.log, (Log{"sleep 50", "sleep 10"}));
}

TEST(DeskLook, ThePointIsMinusOneBeforeAnyMatchAndALookThatFindsNothingForgetsIt) {
    LookRun t;
    t.place(5, 4);
    t.run("~Dos.Print(~Desk.FoundX() \" \" ~Desk.FoundY() \"|\")\n");
    EXPECT_EQ(t.out(), "-1 -1|");
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 0"), "1 6 5|");
    t.fake.desktop.blankScreen(64, 48);
    EXPECT_EQ(t.look("7, \"pattern.bmp\", 0, 0"), "0 -1 -1|");
}

// Posted to the window, the click lands where the look found the picture.
TEST(DeskLook, TheFoundPointIsReadyForAClickOnTheSameWindow) {
    LookRun t;
    t.place(5, 4);
    t.run("#Import <desk>\nCmp (~Look(7, \"pattern.bmp\", 0, 0) == 1)\n"
          "  ~Click(7, \"left\", ~FoundX(), ~FoundY(), 1)\nEnd\n");
    // (6, 5) packs to 5 × 65536 + 6.
    EXPECT_EQ(t.fake.desktop.log, (Log{"desktop image 7", "post 7 512 0 327686", "post 7 513 1 327686", "post 7 514 0 327686"}));
}

TEST(DeskLook, APictureLargerThanTheScreenIsNotWaitedFor) {
    LookRun t;
    picture_bytes::Bitmap wide;
    wide.width = 65;
    wide.height = 1;
    t.fake.desktop.pictureFiles["wide.bmp"] = picture_bytes::BitmapFile(wide);
    EXPECT_EQ(t.look("0, \"wide.bmp\", 0, 5000"), "0 -1 -1|");
    EXPECT_TRUE(t.fake.desktop.log.empty());
}

TEST(DeskLook, AToleranceOutsideItsRangeEndsTheRunBeforeAnythingIsRead) {
    for (const char* tolerance : {"101", "-1", "65536"}) {
        LookRun t;
        t.run(std::string("$a = ~Desk.Look(0, \"missing.png\", ") + tolerance + ", 0)\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Desk.Look -> Section 3 parameter error: ") + tolerance +
                                         " (Numerical limit: 0 ~ 100)",
                                  t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << tolerance;
    }
}

TEST(DeskLook, AMissingOrUnreadablePictureEndsTheRunNamingTheFile) {
    LookRun t;
    t.fake.desktop.pictureFiles["notes.txt"] = {'n', 'o', 't', 'e', 's'};
    Bytes cut = ThirtyTwoBitFile();
    cut.pop_back();
    t.fake.desktop.pictureFiles["cut.bmp"] = cut;
    for (const char* file : {"missing.png", "notes.txt", "cut.bmp"}) {
        LookRun run;
        run.fake.desktop.pictureFiles = t.fake.desktop.pictureFiles;
        run.run(std::string("$a = ~Desk.Look(7, \"") + file + "\", 0, 1000)\n");
        EXPECT_EQ(run.out(), Report(1, std::string("~Desk.Look -> Can not find the picture file: ") + file, run.entry(0)));
        EXPECT_TRUE(run.fake.desktop.log.empty()) << file;
    }
    LookRun chinese;
    chinese.in->language = '3';
    chinese.run("$a = ~Desk.Look(7, \"missing.png\", 0, 0)\n");
    EXPECT_EQ(chinese.out(), "\n行列：1\n訊息：~Desk.Look -> 找不到圖片檔: missing.png\n錯誤：" + chinese.entry(0) + "\n");
}

TEST(DeskLook, WithoutADisplayTheRunEndsNamingIt) {
    LookRun t;
    t.fake.desktop.display = {false, "DISPLAY=:7"};
    t.run("$a = ~Desk.Look(0, \"pattern.bmp\", 0, 1000)\n");
    EXPECT_EQ(t.out(), Report(1, "No display to work on: DISPLAY=:7", t.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
}

TEST(DeskLook, CountAndPositionComeFromTheTable) {
    LookRun count;
    count.run("$a = ~Desk.Look(0, \"pattern.bmp\", 0)\n");
    EXPECT_EQ(count.out(), Report(1, "~desk.look -> Several parameters: 4", count.entry(0)));
    LookRun statement;
    statement.run("~Desk.FoundX()\n");
    EXPECT_EQ(statement.out(), Report(1, "Need to return value to the data: ~desk.foundx", statement.entry(0)));
}

}  // namespace ml

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_bytes.h"
#include "scratch_dir.h"
#include "test_run.h"

namespace ml {

namespace {

std::string Printed(TestRun& t, const std::string& expression) {
    t.run("~Dos.Print(" + expression + ")\n");
    return t.out();
}

constexpr std::uint32_t kSkip = 0xEAEAEA;

// A search on a 1920 × 1080 black screen for a template of the given colours (rows
// top first), known to the fake under an existing file name.
struct FindRun : TestRun {
    ScratchDir dir;
    std::string file = dir.touch("t.bmp");

    int width;
    std::vector<std::uint32_t> colours;

    // The file holds a 32-bit bitmap, top row first.
    FindRun(int width, const std::vector<std::uint32_t>& colours) : width(width), colours(colours) {
        fake.desktop.blankScreen(1920, 1080);
        const auto height = static_cast<std::int32_t>(colours.size()) / width;
        std::vector<std::uint32_t> pixels;
        for (std::uint32_t colour : colours) pixels.push_back((colour & 0xFF) << 16 | (colour & 0xFF00) | colour >> 16);
        picture_bytes::Bitmap bitmap;
        bitmap.width = width;
        bitmap.height = -height;
        bitmap.bits = 32;
        bitmap.pixels = picture_bytes::PackRows(width, 32, pixels);
        fake.desktop.pictureFiles[file] = picture_bytes::BitmapFile(bitmap);
    }
    // Paints the template's colours with their top-left corner at (x, y).
    void place(int x, int y) {
        for (std::size_t i = 0; i < colours.size(); ++i) {
            fake.desktop.paint(x + static_cast<int>(i) % width, y + static_cast<int>(i) / width, colours[i]);
        }
    }
    // What one search at tolerance 0 prints.
    std::string find(const std::string& arguments) {
        const std::size_t before = out().size();
        return Printed(*this, "~Lib.FindRGB(" + arguments + ", \"" + file + "\", 0)").substr(before);
    }
};

}  // namespace

TEST(Pixel, RowsOfAScreenWidthNotAMultipleOfFourIncludeThePadding) {
    TestRun t;
    t.fake.desktop.blankScreen(1366, 768);
    std::vector<std::uint8_t>& bytes = t.fake.desktop.image.pixels;
    // Rows hold 4100 bytes, bottom row first: (1, 1) starts at 766 × 4100 + 3, with
    // blue 0x30, green 0x20 and red 0x10.
    bytes[3140603] = 0x30;
    bytes[3140604] = 0x20;
    bytes[3140605] = 0x10;
    // The last pixel of that row, then its two padding bytes.
    bytes[3144695] = 0x01;
    bytes[3144698] = 0xFF;
    bytes[3144699] = 0xFF;
    EXPECT_EQ(Printed(t, "~Lib.GetPixel(0, 1, 1) \",\" ~Lib.GetPixel(0, 1365, 1) \",\" ~Lib.GetPixel(0, 0, 0)"),
              "3153936,65536,0");
}

TEST(Pixel, PointsBeyondTheImageReadBlack) {
    TestRun t;
    t.fake.desktop.blankScreen(4, 3);
    t.fake.desktop.paint(1, 2, 0x123456);
    t.fake.desktop.paint(3, 0, 0xFFFFFF);
    EXPECT_EQ(Printed(t, "~Lib.GetPixel(0, 1, 2) \",\" ~Lib.GetPixel(0, 4, 0) \",\" ~Lib.GetPixel(0, 0, 3) "
                         "\",\" ~Lib.GetPixel(0, 65535, 65535)"),
              "1193046,0,0,0");
}

// 65537 once read the pixel at 1, and -1 the one at 65535.
TEST(Pixel, CoordinatesBeyondSixteenBitsEndTheRunBeforeReading) {
    const std::pair<const char*, const char*> cases[] = {
        {"~Lib.GetPixel(0, 65537, 2)", "~Lib.GetPixel -> Section 2 parameter error: 65537"},
        {"~Lib.GetPixel(0, 1, -1)", "~Lib.GetPixel -> Section 3 parameter error: -1"},
        {"~Lib.CmpPixel(0, -5, 0, 0, 0)", "~Lib.CmpPixel -> Section 2 parameter error: -5"},
        {"~Lib.CmpPixel(0, 0, 65636, 0, 0)", "~Lib.CmpPixel -> Section 3 parameter error: 65636"},
    };
    for (auto [call, error] : cases) {
        TestRun t;
        t.fake.desktop.blankScreen(4, 3);
        t.run(std::string("$a = ") + call + "\n");
        EXPECT_EQ(t.out(), Report(1, std::string(error) + " (Numerical limit: 0 ~ 65535)", t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << call;
    }
}

TEST(Pixel, AnImageShorterThanItsSizeReadsBlackWhereBytesAreMissing) {
    TestRun t;
    t.fake.desktop.blankScreen(4, 4);
    t.fake.desktop.paint(0, 3, 0x0000FF);
    t.fake.desktop.image.pixels.resize(24);   // only the two bottom rows arrived
    EXPECT_EQ(Printed(t, "~Lib.GetPixel(0, 0, 3) \",\" ~Lib.GetPixel(0, 3, 0)"), "255,0");
}

TEST(Pixel, RowsOfAnotherLayoutReadBlack) {
    TestRun t;
    t.fake.desktop.blankScreen(2, 2);
    t.fake.desktop.paint(0, 0, 0x0000FF);
    t.fake.desktop.image.rowSize = 6;
    EXPECT_EQ(Printed(t, "~Lib.GetPixel(0, 0, 0)"), "0");
}

TEST(Pixel, HandleSelectsScreenOrWindowByItsNumber) {
    TestRun t;
    t.fake.desktop.blankScreen(2, 2);
    t.run("$a = ~Lib.GetPixel(\"00\", 0, 0)\n$a = ~Lib.GetPixel(77, 0, 0)\n~Lib.Capture(9, \"x.bmp\")\n");
    EXPECT_EQ(t.fake.desktop.log, (std::vector<std::string>{"image 0", "image 77", "image 9", "write x.bmp"}));
}

TEST(Pixel, CmpPixelToleranceIsPerChannelAndClipped) {
    TestRun t;
    t.fake.desktop.blankScreen(3, 1);
    t.fake.desktop.paint(0, 0, 0x102030);
    t.fake.desktop.paint(1, 0, 0x0000FF);
    t.fake.desktop.paint(2, 0, 0x006500);   // green 101: within 100 of green 1 (256), not of green 0
    // 17834032 is 0x1102030: only its low 24 bits count.
    t.run("~Dos.Print(~Lib.CmpPixel(0, 0, 0, 1056816, 0) ~Lib.CmpPixel(0, 0, 0, 1056817, 0) "
          "~Lib.CmpPixel(0, 0, 0, 1056817, 1) ~Lib.CmpPixel(0, 1, 0, 250, 100))\n"
          "~Dos.Print(~Lib.CmpPixel(0, 2, 0, 256, 100) ~Lib.CmpPixel(0, 2, 0, 1, 100) "
          "~Lib.CmpPixel(0, 0, 0, 17834032, 0) ~Lib.CmpPixel(0, 1, 0, 255, 0))\n");
    EXPECT_EQ(t.out(), "10111011");
}

TEST(Pixel, CmpPixelToleranceOutOfRangeStopsBeforeReading) {
    // 65536 once passed as 0, and 65535 was shown as -1.
    for (const char* tolerance : {"-1", "101", "65535", "65536", "4294967296"}) {
        TestRun t;
        t.fake.desktop.blankScreen(1, 1);
        t.run(std::string("$a = ~Lib.CmpPixel(0, 0, 0, 0, ") + tolerance + ")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Lib.CmpPixel -> Section 5 parameter error: ") + tolerance +
                                         " (Numerical limit: 0 ~ 100)", t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty());
    }
}

TEST(Capture, WritesHeadersAndPaddedRowsOfA1366By768Screen) {
    TestRun t;
    t.fake.desktop.blankScreen(1366, 768);
    t.fake.desktop.paint(0, 767, 0x010203);   // first pixel in the file: red 3, green 2, blue 1
    t.fake.desktop.paint(1365, 0, 0x040506);  // last pixel in the file
    t.run("~Lib.Capture(0, \"shot.bmp\")\n");
    const std::vector<unsigned char>& file = t.fake.desktop.files["shot.bmp"];
    ASSERT_EQ(file.size(), 54u + 4100u * 768u);
    const std::vector<unsigned char> headers(file.begin(), file.begin() + 54);
    EXPECT_EQ(headers, (std::vector<unsigned char>{
                           0x42, 0x4D, 0x36, 0x0C, 0x30, 0x00, 0, 0, 0, 0, 0x36, 0, 0, 0,   // file header
                           40, 0, 0, 0, 0x56, 0x05, 0, 0, 0x00, 0x03, 0, 0, 1, 0, 24, 0,  // size, 1366, 768
                           0, 0, 0, 0, 0x00, 0x0C, 0x30, 0x00,                             // BI_RGB, 3148800
                           0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.begin() + 57), (std::vector<unsigned char>{1, 2, 3}));
    const std::size_t last = 54 + 767 * 4100 + 1365 * 3;
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + last, file.end()),
              (std::vector<unsigned char>{4, 5, 6, 0, 0}));
}

TEST(Capture, MissingImageBytesAreWrittenAsBlack) {
    TestRun t;
    t.fake.desktop.blankScreen(2, 2);
    t.fake.desktop.paint(0, 1, 0xABCDEF);
    t.fake.desktop.image.pixels.resize(3);
    t.run("~Lib.Capture(0, \"shot.bmp\")\n");
    const std::vector<unsigned char>& file = t.fake.desktop.files["shot.bmp"];
    ASSERT_EQ(file.size(), 54u + 16u);
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.end()),
              (std::vector<unsigned char>{0xAB, 0xCD, 0xEF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Capture, RowPaddingIsWrittenAsZerosWhateverThePlatformLeftThere) {
    TestRun t;
    t.fake.desktop.blankScreen(1, 2);
    t.fake.desktop.paint(0, 0, 0x030201);
    t.fake.desktop.image.pixels = {4, 5, 6, 0xFF, 1, 2, 3, 0xEE};
    t.run("~Lib.Capture(0, \"shot.bmp\")\n");
    const std::vector<unsigned char>& file = t.fake.desktop.files["shot.bmp"];
    ASSERT_EQ(file.size(), 54u + 8u);
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.end()),
              (std::vector<unsigned char>{4, 5, 6, 0, 1, 2, 3, 0}));
}

// A capture that writes nothing ends the run, naming the file, before the next line.
TEST(Capture, AFileThatCannotBeWrittenEndsTheRun) {
    struct Case {
        FileWrite result;
        std::string message;
    };
    for (const Case& c : {Case{FileWrite::Failed, "Can not write the picture file: no/dir.bmp"},
                          Case{FileWrite::NotPlainFile,
                               "Can not write the picture file: no/dir.bmp (not a regular file: left as it is)"}}) {
        TestRun t;
        t.fake.desktop.blankScreen(2, 2);
        t.fake.desktop.fileWrite = c.result;
        t.run("~Lib.Capture(0, \"no/dir.bmp\")\n~Dos.Print(\"on\")\n");
        EXPECT_EQ(t.out(), Report(1, c.message, t.entry(0)));
    }
}

TEST(Capture, WithoutADisplayNothingIsTakenOrWrittenAndTheDisplayIsNamed) {
    for (const std::string& name : {std::string(), std::string("DISPLAY=:7")}) {
        TestRun t;
        t.fake.desktop.blankScreen(2, 2);
        t.fake.desktop.display = {false, name};
        t.run("~Lib.Capture(0, \"shot.bmp\")\n");
        const std::string display = name.empty() ? "DISPLAY is not set" : name;
        EXPECT_EQ(t.out(), Report(1, "Can not take the picture for the file: shot.bmp (No display to work on: " +
                                         display + ")", t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty());
    }
}

TEST(Capture, AnEmptyScreenImageIsNoPicture) {
    TestRun t;
    t.run("~Lib.Capture(0, \"shot.bmp\")\n");
    EXPECT_EQ(t.out(), Report(1, "Can not take the picture for the file: shot.bmp", t.entry(0)));
    EXPECT_EQ(t.fake.desktop.log, (std::vector<std::string>{"image 0"}));
}

TEST(FindRGB, GivesTheTopLeftCornerAsYTimes65536PlusX) {
    FindRun t(2, {0x010203, 0x040506, 0x070809, 0x0A0B0C});
    t.place(100, 50);
    EXPECT_EQ(t.find("0, 0, 0, 1920, 1080"), "3276900");
    FindRun corner(2, {0x010203, 0x040506, 0x070809, 0x0A0B0C});
    corner.place(0, 0);
    EXPECT_EQ(corner.find("0, 0, 0, 1920, 1080"), "0");
}

TEST(FindRGB, SkipPixelsMatchAnythingAndTheFirstOtherPixelAnchorsTheSearch) {
    FindRun t(5, {kSkip, kSkip, kSkip, 0x112233, 0x445566, 0x778899, kSkip, kSkip, kSkip, kSkip});
    t.place(100, 50);
    t.fake.desktop.paint(101, 51, 0xFFFFFF);   // under a skip pixel
    // The rectangle bounds the anchor, which lies at (103, 50).
    EXPECT_EQ(t.find("0, 103, 50, 104, 51"), "3276900");
    FindRun left(5, {kSkip, kSkip, kSkip, 0x112233, 0x445566, 0x778899, kSkip, kSkip, kSkip, kSkip});
    left.place(100, 50);
    EXPECT_EQ(left.find("0, 0, 0, 103, 1080"), "0");
}

TEST(FindRGB, ARowOfSkipPixelsAboveTheAnchorCountsInTheCorner) {
    FindRun t(2, {kSkip, kSkip, 0x112233, 0x445566});
    t.place(100, 50);
    EXPECT_EQ(t.find("0, 0, 0, 1920, 1080"), "3276900");
}

TEST(FindRGB, FirstMatchInScanOrderWinsAndX2BeyondTheScreenReachesItsEdge) {
    FindRun t(1, {0x123456});
    for (const auto& at : {std::pair{300, 10}, std::pair{1919, 5}, std::pair{200, 10}, std::pair{5, 20}}) {
        t.fake.desktop.paint(at.first, at.second, 0x123456);
    }
    EXPECT_EQ(t.find("0, 0, 6, 2560, 1080"), "655560");    // (200, 10)
    FindRun edge(1, {0x123456});
    edge.fake.desktop.paint(1919, 5, 0x123456);
    EXPECT_EQ(edge.find("0, 1000, 0, 2560, 65535"), "329599");   // (1919, 5)
}

TEST(FindRGB, PlacementsLeavingTheImageAndEmptyRectanglesFindNothing) {
    // The anchor matches at the right and bottom edges, but the rest would lie outside.
    FindRun t(2, {0x123456, 0x654321, 0x111111, 0x222222});
    t.fake.desktop.paint(1919, 500, 0x123456);
    t.fake.desktop.paint(700, 1079, 0x123456);
    EXPECT_EQ(t.find("0, 0, 0, 1920, 1080"), "0");
    FindRun empty(1, {0});
    EXPECT_EQ(empty.find("0, 5, 0, 5, 1080") + empty.find("0, 0, 9, 1920, 3"), "00");
}

TEST(FindRGB, ToleranceIsPlusOrMinusTOnEachChannel) {
    FindRun t(1, {0x808080});
    t.fake.desktop.paint(10, 10, 0x8A7680);    // blue +10, green -10
    t.fake.desktop.paint(20, 10, 0x8B8080);    // blue +11
    const std::string area = "0, 0, 0, 1920, 1080, \"" + t.file + "\", ";
    EXPECT_EQ(Printed(t, "~Lib.FindRGB(" + area + "10) \",\" ~Lib.FindRGB(" + area + "9) \",\" ~Lib.FindRGB(0, 11, 0, "
                         "1920, 1080, \"" + t.file + "\", 11)"),
              "655370,0,655380");
}

TEST(FindRGB, ATemplateOfOnlySkipPixelsIsFoundNowhere) {
    FindRun t(2, {kSkip, kSkip});
    EXPECT_EQ(t.find("0, 0, 0, 1920, 1080"), "0");
}

TEST(FindRGB, ToleranceThenFileAreCheckedBeforeAnythingIsRead) {
    FindRun t(1, {0});
    t.run("$a = ~Lib.FindRGB(0, 5, 5, 1, 1, \"missing.bmp\", 101)\n");
    EXPECT_EQ(t.out(), Report(1, "~Lib.FindRGB -> Section 7 parameter error: 101 (Numerical limit: 0 ~ 100)",
                              t.entry(0)));
    FindRun missing(1, {0});
    missing.run("$a = ~Lib.FindRGB(0, 5, 5, 1, 1, \"missing.bmp\", 0)\n");
    EXPECT_EQ(missing.out(), Report(1, "~Lib.FindRGB -> Can not find the picture file: missing.bmp", missing.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
    EXPECT_TRUE(missing.fake.desktop.log.empty());
}

// A corner of -10 once searched from 65526, and one of 65536 from 0.
TEST(FindRGB, CornersBeyondSixteenBitsAndWrappingTolerancesEndTheRunBeforeAnythingIsRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"-10, 0, 100, 100, \"t.bmp\", 0", "Section 2 parameter error: -10 (Numerical limit: 0 ~ 65535)"},
        {"0, 65536, 100, 100, \"t.bmp\", 0", "Section 3 parameter error: 65536 (Numerical limit: 0 ~ 65535)"},
        {"0, 0, 65536, 100, \"t.bmp\", 0", "Section 4 parameter error: 65536 (Numerical limit: 0 ~ 65535)"},
        {"0, 0, 100, -1, \"t.bmp\", 0", "Section 5 parameter error: -1 (Numerical limit: 0 ~ 65535)"},
        {"0, 0, 100, 100, \"t.bmp\", 65541", "Section 7 parameter error: 65541 (Numerical limit: 0 ~ 100)"},
    };
    for (auto [arguments, error] : cases) {
        FindRun t(1, {0});
        t.run(std::string("$a = ~Lib.FindRGB(0, ") + arguments + ")\n");
        EXPECT_EQ(t.out(), Report(1, std::string("~Lib.FindRGB -> ") + error, t.entry(0)));
        EXPECT_TRUE(t.fake.desktop.log.empty()) << arguments;
    }
}

TEST(FindRGB, AFileThatIsNoBitmapIsReportedAsMissing) {
    FindRun t(1, {0});
    const std::string text = t.dir.touch("notes.txt");
    t.fake.desktop.pictureFiles[text] = {'n', 'o', 't', 'e', 's', '\n'};
    t.run("$a = ~Lib.FindRGB(0, 0, 0, 9, 9, \"" + text + "\", 0)\n");
    EXPECT_EQ(t.out(), Report(1, "~Lib.FindRGB -> Can not find the picture file: " + text, t.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
}

// The headers of a 24-bit bitmap of this size, without its pixels.
std::vector<std::uint8_t> HeadersOnly(int width, int height) {
    picture_bytes::Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    return picture_bytes::BitmapFile(bitmap);
}

TEST(FindRGB, APictureWithoutItsPixelsIsReportedAsMissing) {
    FindRun t(1, {0});
    t.fake.desktop.pictureFiles[t.file] = HeadersOnly(16, 16);
    t.run("$a = ~Lib.FindRGB(0, 0, 0, 9, 9, \"" + t.file + "\", 0)\n");
    EXPECT_EQ(t.out(), Report(1, "~Lib.FindRGB -> Can not find the picture file: " + t.file, t.entry(0)));
    EXPECT_TRUE(t.fake.desktop.log.empty());
}

// Its headers tell that it cannot fit: the pixels are neither read nor searched for.
TEST(FindRGB, APictureLargerThanTheScreenIsFoundNowhereFromItsHeaders) {
    for (auto [width, height] : {std::pair{1921, 1}, std::pair{1, 1081}, std::pair{65535, -65535}}) {
        FindRun t(1, {0});
        t.fake.desktop.pictureFiles[t.file] = HeadersOnly(width, height);
        EXPECT_EQ(t.find("0, 0, 0, 65535, 65535"), "0") << width << " x " << height;
        EXPECT_TRUE(t.fake.desktop.log.empty());
    }
    // As wide or as tall as the screen is not too large.
    FindRun wide(1920, std::vector<std::uint32_t>(1920, 0x010101));
    wide.place(0, 5);
    EXPECT_EQ(wide.find("0, 0, 0, 65535, 65535"), "327680");
    FindRun tall(1, std::vector<std::uint32_t>(1080, 0x010101));
    tall.place(7, 0);
    EXPECT_EQ(tall.find("0, 0, 0, 65535, 65535"), "7");
}

TEST(FindRGB, APngPictureIsDecodedByThePlatformAndSearchedLikeAnyOther) {
    FindRun t(1, {0});
    picture_bytes::Png png;
    png.width = 2;
    png.height = 1;
    png.rows = {1, 2, 3, 4, 5, 6};
    t.fake.desktop.pictureFiles[t.file] = picture_bytes::PngFile(png);
    t.fake.desktop.pngImage = {2, 1, {0x30, 0x20, 0x10, 0xFF, 0x60, 0x50, 0x40, 0xFF}};
    t.fake.desktop.paint(7, 9, 0x302010);
    t.fake.desktop.paint(8, 9, 0x605040);
    EXPECT_EQ(t.find("0, 0, 0, 1920, 1080"), "589831");
    t.fake.desktop.pngDecodable = false;
    t.run("$a = ~Lib.FindRGB(0, 0, 0, 9, 9, \"" + t.file + "\", 0)\n");
    EXPECT_NE(t.out().find("Can not find the picture file: " + t.file), std::string::npos);
}

TEST(FindRGB, AWindowHandleSearchesThatWindowsImage) {
    FindRun t(1, {0x123456});
    t.fake.desktop.paint(3, 4, 0x123456);
    EXPECT_EQ(t.find("77, 0, 0, 9, 9"), "262147");
    EXPECT_EQ(t.fake.desktop.log, (std::vector<std::string>{"image 77"}));
}

}  // namespace ml

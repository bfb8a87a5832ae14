// Picture files on Linux: the whole new content or the old one, never half of it and
// never a folder, device or link put out of place; PNG bytes made in memory and read
// back in every form; and only regular files read as pictures.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "picture_bytes.h"
#include "platform/posix/png_file.h"
#include "platform/posix/read_file.h"
#include "platform/posix/whole_file.h"
#include "scratch_dir.h"

namespace ml {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Listing(const ScratchDir& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Two pieces, as a bitmap is written: its headers, then its pixels.
FileWrite Replace(const std::string& file, const std::string& head, const std::string& rest) {
    const auto bytes = [](const std::string& text) {
        return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    };
    const std::array<std::span<const std::uint8_t>, 2> pieces{bytes(head), bytes(rest)};
    return ReplaceWholeFile(file, pieces);
}

std::string Text(const ScratchDir& dir, const std::string& name) {
    const std::vector<unsigned char> bytes = dir.read(name);
    return {bytes.begin(), bytes.end()};
}

mode_t Rights(const std::string& file) {
    struct stat status {};
    EXPECT_EQ(stat(file.c_str(), &status), 0);
    return status.st_mode & 07777;
}

TEST(WholeFile, ANewFileGetsBothPiecesAndTheUsualRightsAndNothingIsLeftBeside) {
    ScratchDir dir;
    const mode_t mask = umask(022);
    EXPECT_EQ(Replace(dir.file("shot.bmp"), "BM", "pixels"), FileWrite::Written);
    umask(mask);
    EXPECT_EQ(Text(dir, "shot.bmp"), "BMpixels");
    EXPECT_EQ(Rights(dir.file("shot.bmp")), 0644u);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"shot.bmp"});
}

TEST(WholeFile, AnExistingFileIsReplacedAndKeepsItsRights) {
    ScratchDir dir;
    std::ofstream(dir.file("shot.bmp")) << "an older and longer picture";
    chmod(dir.file("shot.bmp").c_str(), 0640);
    EXPECT_EQ(Replace(dir.file("shot.bmp"), "new", ""), FileWrite::Written);
    EXPECT_EQ(Text(dir, "shot.bmp"), "new");
    EXPECT_EQ(Rights(dir.file("shot.bmp")), 0640u);
}

TEST(WholeFile, AMissingFolderOrAnEmptyNameWritesNothing) {
    ScratchDir dir;
    EXPECT_EQ(Replace(dir.file("no/such/folder/s.bmp"), "BM", "x"), FileWrite::Failed);
    EXPECT_EQ(Replace("", "BM", "x"), FileWrite::Failed);
    EXPECT_TRUE(Listing(dir).empty());
}

TEST(WholeFile, FoldersDevicesAndLinksToThemAreLeftAlone) {
    ScratchDir dir;
    fs::create_directory(dir.file("folder"));
    fs::create_symlink("/dev/full", dir.file("full.png"));
    fs::create_symlink("folder", dir.file("folder.png"));
    for (const char* name : {"folder", "full.png", "folder.png"})
        EXPECT_EQ(Replace(dir.file(name), "BM", "x"), FileWrite::NotPlainFile) << name;
    EXPECT_EQ(Replace("/dev/null", "BM", "x"), FileWrite::NotPlainFile);
    EXPECT_EQ(fs::read_symlink(dir.file("full.png")), "/dev/full");
    EXPECT_TRUE(fs::is_empty(dir.file("folder")));
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"folder", "folder.png", "full.png"}));
}

TEST(WholeFile, ALinkToAFileStaysALinkAndTheFileItNamesIsReplaced) {
    ScratchDir dir;
    fs::create_directory(dir.file("pictures"));
    std::ofstream(dir.file("pictures/real.png")) << "old";
    fs::create_symlink("pictures/real.png", dir.file("latest.png"));
    fs::create_symlink("latest.png", dir.file("link-to-link.png"));
    EXPECT_EQ(Replace(dir.file("link-to-link.png"), "new", "!"), FileWrite::Written);
    EXPECT_EQ(Text(dir, "pictures/real.png"), "new!");
    EXPECT_EQ(fs::read_symlink(dir.file("latest.png")), "pictures/real.png");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"latest.png", "link-to-link.png", "pictures"}));
    fs::create_symlink("loop.png", dir.file("loop.png"));
    EXPECT_EQ(Replace(dir.file("loop.png"), "x", ""), FileWrite::Failed);
}

// The disk fills half-way through the picture: the old picture stays, whole.
TEST(WholeFile, AWriteThatStopsHalfWayLeavesTheOldFile) {
    ScratchDir dir;
    std::ofstream(dir.file("shot.bmp")) << "the old picture";
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit saved = limit;
    limit.rlim_cur = 100;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const FileWrite result = Replace(dir.file("shot.bmp"), "BM", std::string(1000, 'p'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, FileWrite::Failed);
    EXPECT_EQ(Text(dir, "shot.bmp"), "the old picture");
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"shot.bmp"});
}

TEST(PngFile, ThePictureIsEncodedInMemoryWithItsSizeAndNothingForAnEmptyImage) {
    ScreenImage image;
    image.width = 3;
    image.height = 2;
    image.rowSize = 12;
    image.pixels.assign(24, 0x80);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(image, bytes));
    ASSERT_GT(bytes.size(), 33u);
    const std::vector<std::uint8_t> start(bytes.begin(), bytes.begin() + 24);
    EXPECT_EQ(start, (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H',
                                                'D', 'R', 0, 0, 0, 3, 0, 0, 0, 2}));
    const std::vector<std::uint8_t> end(bytes.end() - 8, bytes.end());
    EXPECT_EQ(end, (std::vector<std::uint8_t>{'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    EXPECT_FALSE(EncodePng(ScreenImage{}, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadFile, AFileGivesItsStartOrAllOfItThroughLinks) {
    ScratchDir dir;
    std::ofstream(dir.file("p.bmp")) << "BMpicture";
    fs::create_symlink("p.bmp", dir.file("link.bmp"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileStart(dir.file("p.bmp"), 4, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "BMpi");
    ASSERT_TRUE(ReadFileStart(dir.file("link.bmp"), 100, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "BMpicture");
    std::ofstream(dir.file("empty.bmp")) << "";
    EXPECT_TRUE(ReadFileStart(dir.file("empty.bmp"), 100, bytes));
    EXPECT_TRUE(bytes.empty());
}

// A pipe without a writer would keep an open waiting for ever, and a device may never end.
TEST(ReadFile, FoldersPipesDevicesAndMissingFilesAreRefused) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.file("pipe.bmp").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.file("zero.bmp"));
    std::vector<std::uint8_t> bytes = {1};
    for (const std::string& name : {dir.file("pipe.bmp"), dir.file("zero.bmp"), std::string("/dev/null"),
                                    dir.path.string(), dir.file("missing.bmp"), std::string()}) {
        EXPECT_FALSE(ReadFileStart(name, 100, bytes)) << name;
        EXPECT_TRUE(bytes.empty()) << name;
    }
}

namespace pb = picture_bytes;

std::vector<std::uint8_t> Pixels(const TemplateImage& image) {
    std::vector<std::uint8_t> bgr;
    for (std::size_t at = 0; at + 3 < image.pixels.size(); at += 4) {
        bgr.insert(bgr.end(), {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]});
    }
    return bgr;
}

std::vector<std::uint8_t> Opacities(const TemplateImage& image) {
    std::vector<std::uint8_t> alpha;
    for (std::size_t at = 3; at < image.pixels.size(); at += 4) alpha.push_back(image.pixels[at]);
    return alpha;
}

// Two pixels, (0x10, 0x20, 0x30) and (0xF0, 0x80, 0x00), in every colour type; the
// result is always blue, green, red, then the opacity the file gives, or full.
TEST(PngFile, EveryFormIsReadAsEightBitChannelsAndItsOpacity) {
    const std::vector<std::uint8_t> expected = {0x30, 0x20, 0x10, 0x00, 0x80, 0xF0};
    pb::Png rgb;
    rgb.width = 2;
    rgb.height = 1;
    rgb.rows = {0x10, 0x20, 0x30, 0xF0, 0x80, 0x00};
    pb::Png rgba = rgb;
    rgba.colourType = 6;
    rgba.rows = {0x10, 0x20, 0x30, 0x00, 0xF0, 0x80, 0x00, 0x7F};
    pb::Png wide = rgb;
    wide.depth = 16;
    wide.rows = {0x10, 0xFF, 0x20, 0xFF, 0x30, 0xFF, 0xF0, 0x00, 0x80, 0x00, 0x00, 0x00};
    pb::Png wideAlpha = wide;
    wideAlpha.colourType = 6;
    wideAlpha.rows = {0x10, 0xFF, 0x20, 0xFF, 0x30, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0x80, 0, 0, 0, 0, 0x40};
    pb::Png palette = rgb;
    palette.colourType = 3;
    palette.palette = {0x102030, 0xF08000};
    palette.transparency = {0, 0xFF};
    palette.rows = {0, 1};
    pb::Png keyed = rgb;
    keyed.transparency = {0, 0xF0, 0, 0x80, 0, 0x00};   // the second pixel's colour is transparent
    const std::pair<pb::Png, std::vector<std::uint8_t>> forms[] = {
        {rgb, {0xFF, 0xFF}}, {rgba, {0x00, 0x7F}},    {wide, {0xFF, 0xFF}},
        {wideAlpha, {0xFF, 0}}, {palette, {0, 0xFF}}, {keyed, {0xFF, 0}},
    };
    for (const auto& [png, opacities] : forms) {
        TemplateImage image;
        ASSERT_TRUE(DecodePng(pb::PngFile(png), image)) << int(png.colourType) << " " << int(png.depth);
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 1);
        EXPECT_EQ(Pixels(image), expected) << int(png.colourType) << " " << int(png.depth);
        EXPECT_EQ(Opacities(image), opacities) << int(png.colourType) << " " << int(png.depth);
    }
    // Grey levels of two bits: 0, 1/3, 2/3 and full, in a row of four; 1/3 is transparent.
    pb::Png grey;
    grey.width = 4;
    grey.height = 1;
    grey.depth = 2;
    grey.colourType = 0;
    grey.transparency = {0, 1};
    grey.rows = {0b00011011};
    TemplateImage image;
    ASSERT_TRUE(DecodePng(pb::PngFile(grey), image));
    EXPECT_EQ(Pixels(image), (std::vector<std::uint8_t>{0, 0, 0, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Opacities(image), (std::vector<std::uint8_t>{0xFF, 0, 0xFF, 0xFF}));
}

TEST(PngFile, WhatIsWrittenIsReadBackAndDamagedFilesAreRefused) {
    ScreenImage shot;
    shot.width = 3;
    shot.height = 2;
    shot.rowSize = 12;
    shot.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(shot, bytes));
    TemplateImage image;
    ASSERT_TRUE(DecodePng(bytes, image));
    EXPECT_EQ(Pixels(image), (std::vector<std::uint8_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    pb::Png png;
    png.width = 2;
    png.height = 2;
    png.rows = std::vector<std::uint8_t>(12, 0x40);
    const std::vector<std::uint8_t> good = pb::PngFile(png);
    std::vector<std::uint8_t> badCrc = good;
    badCrc[29] ^= 1;   // the header chunk's check sum
    std::vector<std::uint8_t> wideHeader = good;
    wideHeader[16] = 1;   // 2^24 + 2 pixels wide
    for (const std::vector<std::uint8_t>& file : {std::vector<std::uint8_t>(good.begin(), good.begin() + 60), badCrc,
                                                  wideHeader, std::vector<std::uint8_t>{}}) {
        image.width = 5;
        EXPECT_FALSE(DecodePng(file, image));
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.pixels.empty());
    }
}

}  // namespace
}  // namespace ml

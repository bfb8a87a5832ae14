// Bitmap files read as template pictures: 24- and 32-bit pictures in both row
// orders, and every kind of damaged file refused without reading past it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/bitmap_file.h"

namespace ml {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A file with the two headers and the pixel rows exactly as given.
Bytes BitmapFile(std::int32_t width, std::int32_t height, int bits, const Bytes& rows,
                 std::uint32_t compression = 0) {
    Bytes b(54 + rows.size(), 0);
    std::copy(rows.begin(), rows.end(), b.begin() + 54);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(54 + rows.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    Put32(b, 30, compression);
    return b;
}

// 3 x 2 pixels, bottom row first, each row padded from 9 to 12 bytes.
const Bytes kRows24 = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,            // bottom row
    11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0,  // top row
};

const Bytes kExpected = {
    11, 12, 13, 0, 14, 15, 16, 0, 17, 18, 19, 0,  // top row
    1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0,
};

TEST(BitmapFile, ReadsA24BitPictureBottomUpWithPaddedRows) {
    TemplateImage image;
    ASSERT_TRUE(DecodeBitmapFile(BitmapFile(3, 2, 24, kRows24), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, kExpected);
}

TEST(BitmapFile, ReadsTopDownAnd32BitPictures) {
    const Bytes topDown = {11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0};
    TemplateImage image;
    ASSERT_TRUE(DecodeBitmapFile(BitmapFile(3, -2, 24, topDown), image));
    EXPECT_EQ(image.pixels, kExpected);

    // The fourth byte of a 32-bit pixel is not carried over.
    const Bytes rows32 = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, 11, 12, 13, 99, 14, 15, 16, 99, 17, 18, 19, 99};
    ASSERT_TRUE(DecodeBitmapFile(BitmapFile(3, 2, 32, rows32), image));
    EXPECT_EQ(image.pixels, kExpected);

    Bytes masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    masks.insert(masks.end(), rows32.begin(), rows32.end());
    Bytes withMasks = BitmapFile(3, 2, 32, masks, 3);
    Put32(withMasks, 10, 66);
    ASSERT_TRUE(DecodeBitmapFile(withMasks, image));
    EXPECT_EQ(image.pixels, kExpected);
}

TEST(BitmapFile, RefusesDamagedAndUnsupportedFiles) {
    const Bytes good = BitmapFile(3, 2, 24, kRows24);
    std::vector<Bytes> bad;
    bad.push_back({});
    bad.push_back(Bytes(good.begin(), good.begin() + 53));  // headers cut short
    bad.push_back(Bytes(good.begin(), good.end() - 1));     // last row cut short
    Bytes b = good;
    b[1] = 'X';
    bad.push_back(b);
    for (std::uint32_t offset : {0u, 40u, 60u, 0xFFFFFFF0u}) {
        b = good;
        Put32(b, 10, offset);
        bad.push_back(b);
    }
    for (std::uint32_t header : {12u, 200u, 0xFFFFFFFFu}) {
        b = good;
        Put32(b, 14, header);
        bad.push_back(b);
    }
    for (std::uint32_t width : {0u, 0xFFFFFFFFu, 0x10000u, 0x7FFFFFFFu}) {
        b = good;
        Put32(b, 18, width);
        bad.push_back(b);
    }
    for (std::uint32_t height : {0u, 0x80000000u, 0x10000u}) {
        b = good;
        Put32(b, 22, height);
        bad.push_back(b);
    }
    bad.push_back(BitmapFile(3, 2, 8, kRows24));      // palette picture
    bad.push_back(BitmapFile(3, 2, 24, kRows24, 1));  // run-length compressed
    bad.push_back(BitmapFile(3, 2, 32, Bytes(24 + 12, 0), 3));  // other channel masks
    b = good;
    Put16(b, 26, 2);
    bad.push_back(b);

    for (std::size_t i = 0; i < bad.size(); ++i) {
        TemplateImage image;
        image.width = 5;
        EXPECT_FALSE(DecodeBitmapFile(bad[i], image)) << "case " << i;
        EXPECT_EQ(image.width, 0) << "case " << i;
        EXPECT_TRUE(image.pixels.empty()) << "case " << i;
    }
}

TEST(BitmapFile, LoadsFromDiskAndRefusesWhatIsNotThere) {
    const std::string path = ::testing::TempDir() + "bitmap_file_test.bmp";
    const Bytes bytes = BitmapFile(3, 2, 24, kRows24);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    TemplateImage image;
    ASSERT_TRUE(LoadBitmapFile(path, image));
    EXPECT_EQ(image.pixels, kExpected);
    EXPECT_FALSE(LoadBitmapFile(path + ".missing", image));
    EXPECT_FALSE(LoadBitmapFile(::testing::TempDir(), image));  // a directory
    std::remove(path.c_str());
}

}  // namespace
}  // namespace ml

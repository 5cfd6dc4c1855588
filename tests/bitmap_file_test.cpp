// Our BMP reader on files made by the tests: every depth and layout, and files that lie.
#include <gtest/gtest.h>

#include <cstdint>

#include "bitmap_fixtures.h"
#include "platform/formats/bitmap_file.h"
#include "test_support.h"

namespace {

DecodedBitmap decode(const BitmapLayout& layout, bool expectOk = true) {
    std::string bytes = makeBitmap(layout);
    DecodedBitmap bitmap;
    EXPECT_EQ(decodeBitmap(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), bitmap), expectOk);
    return bitmap;
}

// The colours of a deep picture, red, green and blue of each pixel in turn.
std::vector<int> rgbOf(const DecodedBitmap& bitmap) {
    std::vector<int> values;
    for (const auto& pixel : bitmap.pixels)
        values.insert(values.end(), {pixel.red, pixel.green, pixel.blue});
    return values;
}

std::vector<uint32_t> greyRamp(int count) {
    std::vector<uint32_t> colours;
    for (int i = 0; i < count; ++i)
        colours.push_back(static_cast<uint32_t>(i * 0x010101));
    return colours;
}

}  // namespace

TEST(BitmapFile, ReadsIndexedPicturesOfOddWidthsBothWaysUp) {
    BitmapLayout layout;
    layout.width = 3, layout.height = 2, layout.colours = greyRamp(8);
    layout.pixels = bottomUpRows({{1, 2, 3}, {4, 5, 6}});
    DecodedBitmap bottomUp = decode(layout);
    EXPECT_EQ(bottomUp.indices, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(bottomUp.colours.size(), 256u);
    EXPECT_EQ(bottomUp.colours[5].green, 5);

    layout.height = -2;
    layout.pixels = std::string("\x01\x02\x03\0\x04\x05\x06\0", 8);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));

    layout.height = 2, layout.bits = 4, layout.colours = greyRamp(16);
    layout.pixels = std::string("\x45\x60\0\0\x12\x30\0\0", 8);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));

    layout.width = 9, layout.height = 1, layout.bits = 1, layout.colours = {0x000000, 0xFFFFFF};
    layout.pixels = std::string("\xA5\x80\0\0", 4);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{1, 0, 1, 0, 0, 1, 0, 1, 1}));
}

TEST(BitmapFile, ReadsDeepPictures) {
    BitmapLayout layout;
    layout.width = 2, layout.height = 1, layout.bits = 24;
    layout.pixels = std::string("\x10\x20\x30\x40\x50\x60\0\0", 8);
    EXPECT_EQ(rgbOf(decode(layout)), (std::vector<int>{0x30, 0x20, 0x10, 0x60, 0x50, 0x40}));
    layout.bits = 32;
    layout.pixels = std::string("\x01\x02\x03\xFF\x04\x05\x06\xFF", 8);
    EXPECT_EQ(rgbOf(decode(layout)), (std::vector<int>{3, 2, 1, 6, 5, 4}));
    layout.bits = 16;
    layout.pixels = std::string("\x00\x7C\x1F\x00", 4);  // pure red, pure blue in 5-5-5
    EXPECT_EQ(rgbOf(decode(layout)), (std::vector<int>{255, 0, 0, 0, 0, 255}));
}

TEST(BitmapFile, ReadsRunLengthPictures) {
    BitmapLayout layout;
    layout.width = 4, layout.height = 2, layout.compression = 1, layout.colours = greyRamp(16);
    // Bottom row: a run of three 7s and one 9; top row: the literal 1 2 3, then a run of one 5.
    layout.pixels = std::string("\x03\x07\x01\x09\x00\x00\x00\x03\x01\x02\x03\x00\x01\x05\x00\x01", 16);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{1, 2, 3, 5, 7, 7, 7, 9}));
    layout.bits = 4, layout.compression = 2;
    layout.pixels = std::string("\x04\x12\x00\x00\x00\x04\x34\x56\x00\x01", 10);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{3, 4, 5, 6, 1, 2, 1, 2}));
}

TEST(BitmapFile, FilesThatLieAreReadSafelyOrRefused) {
    BitmapLayout layout;
    layout.width = 4, layout.height = 4, layout.colours = greyRamp(4);
    // Pixel data cut short: what is there is read, the rest is colour 0.
    layout.pixels = std::string("\x01\x01\x01\x01\x02", 5);
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 1, 1, 1}));
    // A colour count beyond what the depth allows, and a table cut by the end of the file.
    layout.coloursUsed = 100000;
    EXPECT_EQ(decode(layout).colours.size(), 256u);
    // Run-length data that overruns its rows and the picture.
    layout.compression = 1, layout.coloursUsed = 0;
    layout.pixels = std::string("\xFF\x01\x00\x02\xFF\xFF\x00\xFF", 8);
    EXPECT_EQ(decode(layout).indices.size(), 16u);
    BitmapLayout refused[4] = {layout, layout, layout, layout};
    refused[0].width = 0, refused[1].width = 100000, refused[2].bits = 7;
    refused[3].height = INT32_MIN;  // has no positive counterpart
    for (const BitmapLayout& bad : refused)
        decode(bad, false);
    std::string header = makeBitmap(layout).substr(0, 20);
    DecodedBitmap none;
    EXPECT_FALSE(decodeBitmap(reinterpret_cast<const uint8_t*>(header.data()), header.size(), none));
    EXPECT_FALSE(decodeBitmap(reinterpret_cast<const uint8_t*>("BM"), 2, none));
}

// Files found by fuzzing: moves right, or runs with no line end, repeated until the column would pass
// the largest int, once wrote before the picture. The position stops at the row's end, and the line
// end that follows still starts the next row.
TEST(BitmapFile, RunLengthDataNeverMovesOutOfThePicture) {
    const int kStepsPastTheLargestInt = INT32_MAX / 255 + 1;
    BitmapLayout layout;
    layout.width = 2, layout.height = 2, layout.compression = 1, layout.colours = greyRamp(16);
    const std::string lineEndThenA7("\x00\x00\x01\x07", 4);
    layout.pixels = repeat(std::string("\x00\x02\xFF\x00", 4), kStepsPastTheLargestInt) + lineEndThenA7;
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{7, 0, 0, 0}));
    layout.pixels = repeat("\xFF\x05", kStepsPastTheLargestInt) + lineEndThenA7;
    EXPECT_EQ(decode(layout).indices, (std::vector<uint8_t>{7, 0, 5, 5}));
}

// The display in-process: palette files, bitmaps mapped onto the device palette, copies and their
// clipping, pen lines, and the windowed variant's shifted indices.
#include <gtest/gtest.h>

#include <cstring>

#include "bitmap_fixtures.h"
#include "display/display.h"
#include "golden.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override { openDisplay(1); }
    void TearDown() override {
        g_fullScreen = 1;
        g_clientX = g_clientY = 0;
    }
    void openDisplay(int fullScreen) {
        std::memset(g_basePalette, 0, sizeof g_basePalette);
        openHeadlessDisplay(fullScreen);
    }
    // Writes an 8-bit picture whose colour table is entry i = (i, 255 - i, i / 2).
    std::string writePicture(const std::string& name, int width, int height, uint8_t value) {
        BitmapLayout layout;
        layout.width = width, layout.height = height;
        for (int i = 0; i < 256; ++i)
            layout.colours.push_back(static_cast<uint32_t>(i << 16 | (255 - i) << 8 | i / 2));
        std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height),
                                               std::vector<uint8_t>(static_cast<size_t>(width), value));
        layout.pixels = bottomUpRows(rows);
        writeFile(folder.file(name), makeBitmap(layout));
        return folder.file(name);
    }
    TempFolder folder;
};

}  // namespace

TEST_F(DisplayTest, LoadPaletteReadsTheColourTableAndForcesGreyAndWhiteInTheBaseTable) {
    std::string file = writePicture("p.bmp", 4, 4, 0);
    EXPECT_TRUE(g_display.loadPalette(file.c_str()));
    EXPECT_EQ(g_basePalette[10].green, 245);
    EXPECT_EQ(g_basePalette[2].red, 160);
    EXPECT_EQ(g_basePalette[255].green, 255);
    EXPECT_FALSE(g_display.loadPalette(folder.file("missing.bmp").c_str()));
    // 54 bytes of header and one entry and a half: the rest reads as 255.
    writeFile(folder.file("short.bmp"), std::string(54, 'x') + std::string("\x01\x02\x03\x00\x04\x05", 6));
    g_display.loadPalette(folder.file("short.bmp").c_str());
    EXPECT_EQ(g_basePalette[0].red, 3);
    EXPECT_EQ(g_basePalette[0].blue, 1);
    EXPECT_EQ(g_basePalette[1].blue, 4);
    EXPECT_EQ(g_basePalette[1].red, 255);
}

TEST_F(DisplayTest, PicturesKeepTheirIndexOrTakeTheNearestDeviceColour) {
    std::string file = writePicture("p.bmp", 640, 480, 77);
    g_display.loadPalette(file.c_str());
    g_display.loadBitmap(file.c_str(), 640, 480, 0, 0, 0, 0, SLOT_BG);
    EXPECT_EQ(pixelAt(SLOT_BG, 639, 479), 77);
    // Entry 2 of the base table was forced to grey, so its colour takes the nearest entry.
    std::string grey = writePicture("g.bmp", 2, 2, 2);
    g_display.loadBitmap(grey.c_str(), 2, 2, 0, 0, 0, 0, SLOT_BG);
    EXPECT_NE(pixelAt(SLOT_BG, 0, 0), 2);
    BitmapLayout layout;
    layout.width = 2, layout.height = 1, layout.bits = 24;
    // (40, 215, 20) is entry 40 exactly; (255, 255, 255) is white, entry 255 after the forcing.
    layout.pixels = std::string("\x14\xD7\x28\xFF\xFF\xFF\0\0", 8);
    writeFile(folder.file("deep.bmp"), makeBitmap(layout));
    g_display.loadBitmap(folder.file("deep.bmp").c_str(), 2, 1, 0, 0, 0, 0, SLOT_BG);
    EXPECT_EQ(pixelsAt(SLOT_BG, {{0, 0}, {1, 0}}), (std::vector<int>{40, 255}));
}

// The windowed variant: table entries shown ten higher between the static colours, 11 transparent, the
// system graphics' 0 kept, and the screen written at the client origin.
TEST_F(DisplayTest, TheWindowedVariantShiftsIndicesByTenAndWritesTheScreenAtTheClientOrigin) {
    openDisplay(0);
    std::string file = writePicture("p.bmp", 8, 8, 1);
    g_display.loadPalette(file.c_str());
    EXPECT_EQ(g_devicePalette[10].red, 0);
    EXPECT_EQ(g_devicePalette[245].red, 235);
    EXPECT_EQ(g_devicePalette[255].red, 255);  // a static colour, never written
    g_display.loadBitmap(file.c_str(), 8, 8, 0, 0, 0, 0, SLOT_CHARS);
    EXPECT_EQ(pixelAt(SLOT_CHARS, 0, 0), 11);
    std::string black = writePicture("b.bmp", 8, 8, 0);
    g_display.loadBitmap(black.c_str(), 8, 8, 0, 0, 0, 0, SLOT_BG);
    g_display.loadBitmap(black.c_str(), 8, 8, 0, 0, 0, 0, SLOT_SYSTEM);
    EXPECT_EQ(pixelAt(SLOT_BG, 0, 0), 10);
    EXPECT_EQ(pixelAt(SLOT_SYSTEM, 0, 0), 0);
    g_clientX = 3, g_clientY = 2;
    g_display.fill(SLOT_BACK, 60);
    g_display.showRect(0, 0, 0, 0, 10, 10, SLOT_BACK, SLOT_CHARS);
    EXPECT_EQ(pixelsAt(SLOT_BACK, {{0, 0}, {9, 9}}), (std::vector<int>{60, 0}));
    g_display.showRect(0, 0, 0, 0, 10, 10, SLOT_SCREEN, SLOT_BACK);
    g_display.showRect(0, 0, 0, 0, 10, 10, SLOT_WORK, SLOT_BACK);
    EXPECT_EQ(pixelsAt(SLOT_SCREEN, {{2, 2}, {3, 1}, {3, 2}}), (std::vector<int>{0, 0, 60}));
    EXPECT_EQ(pixelAt(SLOT_WORK, 0, 0), 60);
}

// What the picture does not cover of the rectangle asked for is black; nothing outside it changes.
TEST_F(DisplayTest, LoadBitmapCopiesOnlyWhatLiesInsideThePictureAndTheSlot) {
    std::string file = writePicture("p.bmp", 10, 10, 9);
    g_display.loadPalette(file.c_str());
    g_display.fill(SLOT_WORK, 3);
    g_display.loadBitmap(file.c_str(), 640, 480, 635, 475, 0, 0, SLOT_WORK);
    EXPECT_EQ(pixelsAt(SLOT_WORK, {{639, 479}, {634, 479}}), (std::vector<int>{9, 3}));
    g_display.loadBitmap(file.c_str(), 100, 100, -5, -5, 0, 0, SLOT_WORK);
    EXPECT_EQ(pixelsAt(SLOT_WORK, {{4, 4}, {5, 5}, {95, 95}}), (std::vector<int>{9, 0, 3}));
    g_display.loadBitmap(file.c_str(), 100, 100, 200, 200, 5, 0, SLOT_WORK);
    EXPECT_EQ(pixelsAt(SLOT_WORK, {{204, 209}, {205, 200}, {204, 210}}), (std::vector<int>{9, 0, 0}));
    g_display.loadBitmap(file.c_str(), 100, 100, 0, 0, 50, 50, SLOT_WORK);
}

TEST_F(DisplayTest, CopiesClipToTheDestinationAndKeyedOnesSkipTheTransparentIndex) {
    for (int x = 0; x < 640; ++x)
        pixelAt(SLOT_WORK, x, 0) = static_cast<uint8_t>(x % 200 + 20);
    g_display.copyKeyedClipped(-100, 0, 0, 0, 320, 1, SLOT_CHARS, SLOT_WORK);
    EXPECT_EQ(pixelsAt(SLOT_CHARS, {{0, 0}, {219, 0}, {220, 0}}), (std::vector<int>{120, 139, 0}));
    g_display.clear(SLOT_CHARS);
    g_display.copyOpaqueClipped(700, 0, 0, 0, 640, 1, SLOT_CHARS, SLOT_WORK);
    g_display.copyOpaqueClipped(600, 0, 0, 0, 640, 1, SLOT_CHARS, SLOT_WORK);
    // The unclipped copies refuse a rectangle that leaves the slot, as the device does.
    g_display.copyOpaque(630, 0, 0, 0, 20, 1, SLOT_CHARS, SLOT_WORK);
    EXPECT_EQ(pixelsAt(SLOT_CHARS, {{599, 0}, {639, 0}, {630, 0}}), (std::vector<int>{0, 59, 50}));
    g_display.copyKeyedClipped(INT32_MIN, INT32_MIN, INT32_MAX, 0, INT32_MAX, INT32_MAX, SLOT_CHARS,
                               SLOT_WORK);
    g_display.copyKeyed(INT32_MAX, 0, 0, 0, 10, 10, SLOT_CHARS, SLOT_WORK);
    g_display.fill(SLOT_SCENE, 50);
    g_display.fillTransparent(-10, -10, 20, 20, SLOT_TEXT);
    g_display.fillTransparent(630, 470, 1000, 1000, SLOT_TEXT);
    EXPECT_EQ(pixelsAt(SLOT_TEXT, {{9, 9}, {10, 10}, {639, 479}}), (std::vector<int>{1, 0, 1}));
    g_display.showRect(0, 0, 0, 0, 640, 480, SLOT_SCENE, SLOT_TEXT);
    EXPECT_EQ(pixelsAt(SLOT_SCENE, {{5, 5}, {100, 100}}), (std::vector<int>{50, 0}));
    // showRect clips to the destination as the window's clipper does.
    g_display.fill(SLOT_BACK, 61);
    g_display.showRect(630, 470, 0, 0, 20, 20, SLOT_SCREEN, SLOT_BACK);
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 639, 479), 61);
}

// The menu page's frame; pens, wide or reaching off the slot, draw no end point and stay inside.
TEST_F(DisplayTest, PenLinesLeaveOutTheirEndPoint) {
    g_basePalette[255] = {255, 255, 255, 1};
    g_display.sendPalette(g_basePalette);
    g_display.drawFrame(SLOT_BACK, -50, -50, 700, 600, 8, 0xFFFFFF);
    g_display.clear(SLOT_BACK);
    g_display.drawFrame(SLOT_BACK, 19, 51, 627, 211, 4, 0x000000);
    g_display.drawFrame(SLOT_BACK, 16, 48, 624, 208, 4, 0xFFFFFF);
    expectGolden("menu-frame", slotRgb(SLOT_BACK), 640, 480);
}

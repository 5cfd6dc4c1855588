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
    void TearDown() override { g_fullScreen = 1; }
    void openDisplay(int fullScreen) {
        g_fullScreen = fullScreen;
        useHeadlessWindowSystem();
        std::memset(g_basePalette, 0, sizeof g_basePalette);
        g_display.open();
        g_clientX = g_clientY = 0;
    }
    uint8_t pixel(int slot, int x, int y) { return g_display.pixels[slot][y * g_display.pitch[slot] + x]; }
    void setPixel(int slot, int x, int y, uint8_t v) {
        g_display.pixels[slot][y * g_display.pitch[slot] + x] = v;
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
    EXPECT_EQ(g_basePalette[10].red, 10);
    EXPECT_EQ(g_basePalette[10].green, 245);
    EXPECT_EQ(g_basePalette[10].flag, 1);
    EXPECT_EQ(g_basePalette[2].red, 160);
    EXPECT_EQ(g_basePalette[255].green, 255);
    EXPECT_EQ(g_shownPalette[2].red, 2);
    EXPECT_EQ(g_shownPalette[255].green, 0);
    EXPECT_EQ(g_devicePalette[10].red, 10);
    EXPECT_FALSE(g_display.loadPalette(folder.file("missing.bmp").c_str()));
    EXPECT_EQ(g_basePalette[10].red, 10);
}

TEST_F(DisplayTest, AShortPaletteFileReadsWhitePastItsEnd) {
    // 54 bytes of header and one entry and a half: the rest is 255.
    writeFile(folder.file("short.bmp"), std::string(54, 'x') + std::string("\x01\x02\x03\x00\x04\x05", 6));
    g_display.loadPalette(folder.file("short.bmp").c_str());
    EXPECT_EQ(g_basePalette[0].red, 3);
    EXPECT_EQ(g_basePalette[0].blue, 1);
    EXPECT_EQ(g_basePalette[1].blue, 4);
    EXPECT_EQ(g_basePalette[1].red, 255);
    EXPECT_EQ(g_basePalette[100].green, 255);
}

TEST_F(DisplayTest, APictureDrawnWithThePaletteLandsIndexForIndex) {
    std::string file = writePicture("p.bmp", 640, 480, 77);
    g_display.loadPalette(file.c_str());
    g_display.loadBitmap(file.c_str(), 640, 480, 0, 0, 0, 0, SLOT_BG);
    EXPECT_EQ(pixel(SLOT_BG, 0, 0), 77);
    EXPECT_EQ(pixel(SLOT_BG, 639, 479), 77);
    // Entries 2 and 255 of the base table were forced, so their colours take the nearest entry.
    std::string grey = writePicture("g.bmp", 2, 2, 2);
    g_display.loadBitmap(grey.c_str(), 2, 2, 0, 0, 0, 0, SLOT_BG);
    EXPECT_NE(pixel(SLOT_BG, 0, 0), 2);
}

TEST_F(DisplayTest, DeepPicturesTakeTheNearestDeviceColourTheLowestOnTies) {
    std::string file = writePicture("p.bmp", 4, 4, 0);
    g_display.loadPalette(file.c_str());
    BitmapLayout layout;
    layout.width = 2, layout.height = 1, layout.bits = 24;
    // (40, 215, 20) is entry 40 exactly; (255, 255, 255) is white, entry 255 after the forcing.
    layout.pixels = std::string("\x14\xD7\x28\xFF\xFF\xFF\0\0", 8);
    writeFile(folder.file("deep.bmp"), makeBitmap(layout));
    g_display.loadBitmap(folder.file("deep.bmp").c_str(), 2, 1, 0, 0, 0, 0, SLOT_BG);
    EXPECT_EQ(pixel(SLOT_BG, 0, 0), 40);
    EXPECT_EQ(pixel(SLOT_BG, 1, 0), 255);
}

TEST_F(DisplayTest, TheWindowedVariantShiftsIndicesByTenAndKeepsTransparencyAndMasks) {
    openDisplay(0);
    std::string file = writePicture("p.bmp", 8, 8, 1);
    g_display.loadPalette(file.c_str());
    EXPECT_EQ(g_devicePalette[10].red, 0);
    EXPECT_EQ(g_devicePalette[11].red, 1);
    EXPECT_EQ(g_devicePalette[245].red, 235);
    EXPECT_EQ(g_devicePalette[255].red, 255);  // a static colour, never written
    g_display.loadBitmap(file.c_str(), 8, 8, 0, 0, 0, 0, SLOT_CHARS);
    EXPECT_EQ(pixel(SLOT_CHARS, 0, 0), Display::transparentIndex());
    EXPECT_EQ(Display::transparentIndex(), 11);
    std::string black = writePicture("b.bmp", 8, 8, 0);
    g_display.loadBitmap(black.c_str(), 8, 8, 0, 0, 0, 0, SLOT_BG);
    g_display.loadBitmap(black.c_str(), 8, 8, 0, 0, 0, 0, SLOT_SYSTEM);
    EXPECT_EQ(pixel(SLOT_BG, 0, 0), 10);
    EXPECT_EQ(pixel(SLOT_SYSTEM, 0, 0), 0);
}

TEST_F(DisplayTest, LoadBitmapCopiesOnlyWhatLiesInsideThePictureAndTheSlot) {
    std::string file = writePicture("p.bmp", 10, 10, 9);
    g_display.loadPalette(file.c_str());
    g_display.fill(SLOT_WORK, 3);
    g_display.loadBitmap(file.c_str(), 640, 480, 635, 475, 0, 0, SLOT_WORK);
    EXPECT_EQ(pixel(SLOT_WORK, 639, 479), 9);
    EXPECT_EQ(pixel(SLOT_WORK, 634, 479), 3);
    g_display.loadBitmap(file.c_str(), 100, 100, -5, -5, 0, 0, SLOT_WORK);
    EXPECT_EQ(pixel(SLOT_WORK, 4, 4), 9);
    EXPECT_EQ(pixel(SLOT_WORK, 5, 5), 0);    // asked for but not in the picture: black
    EXPECT_EQ(pixel(SLOT_WORK, 95, 95), 3);  // outside the rectangle asked for
    g_display.loadBitmap(file.c_str(), 100, 100, 0, 0, 50, 50, SLOT_WORK);
    EXPECT_EXIT(g_display.loadBitmap("missing.bmp", 1, 1, 0, 0, 0, 0, SLOT_WORK),
                ::testing::ExitedWithCode(1), "missing.bmp ファイルが見つかりません");
}

TEST_F(DisplayTest, ClippedCopiesFollowTheDestination) {
    for (int x = 0; x < 640; ++x)
        setPixel(SLOT_WORK, x, 0, static_cast<uint8_t>(x % 200 + 20));
    g_display.copyKeyedClipped(-100, 0, 0, 0, 320, 1, SLOT_CHARS, SLOT_WORK);
    EXPECT_EQ(pixel(SLOT_CHARS, 0, 0), 120);
    EXPECT_EQ(pixel(SLOT_CHARS, 219, 0), (319 % 200) + 20);
    EXPECT_EQ(pixel(SLOT_CHARS, 220, 0), 0);
    g_display.clear(SLOT_CHARS);
    g_display.copyOpaqueClipped(700, 0, 0, 0, 640, 1, SLOT_CHARS, SLOT_WORK);
    g_display.copyOpaqueClipped(-320, 0, 0, 0, 320, 1, SLOT_CHARS, SLOT_WORK);
    g_display.copyOpaqueClipped(600, 0, 0, 0, 640, 1, SLOT_CHARS, SLOT_WORK);
    EXPECT_EQ(pixel(SLOT_CHARS, 599, 0), 0);
    EXPECT_EQ(pixel(SLOT_CHARS, 639, 0), 59);
    // The unclipped copies refuse a rectangle that leaves the slot, as the device does.
    g_display.copyOpaque(630, 0, 0, 0, 20, 1, SLOT_CHARS, SLOT_WORK);
    EXPECT_EQ(pixel(SLOT_CHARS, 630, 0), 50);
    g_display.copyKeyedClipped(INT32_MIN, INT32_MIN, INT32_MAX, 0, INT32_MAX, INT32_MAX, SLOT_CHARS,
                               SLOT_WORK);
    g_display.copyKeyed(INT32_MAX, 0, 0, 0, 10, 10, SLOT_CHARS, SLOT_WORK);
}

TEST_F(DisplayTest, KeyedCopiesSkipTheTransparentIndexInBothVariants) {
    for (int fullScreen : {1, 0}) {
        openDisplay(fullScreen);
        g_display.fill(SLOT_SCENE, 50);
        g_display.fillTransparent(-10, -10, 20, 20, SLOT_TEXT);
        g_display.fillTransparent(630, 470, 1000, 1000, SLOT_TEXT);
        EXPECT_EQ(pixel(SLOT_TEXT, 9, 9), Display::transparentIndex());
        EXPECT_EQ(pixel(SLOT_TEXT, 10, 10), 0);
        EXPECT_EQ(pixel(SLOT_TEXT, 639, 479), Display::transparentIndex());
        g_display.showRect(0, 0, 0, 0, 640, 480, SLOT_SCENE, SLOT_TEXT);
        EXPECT_EQ(pixel(SLOT_SCENE, 5, 5), 50);
        EXPECT_EQ(pixel(SLOT_SCENE, 100, 100), 0);
    }
    // showRect clips to the destination as the window's clipper does.
    g_display.fill(SLOT_BACK, 61);
    g_display.showRect(630, 470, 0, 0, 20, 20, SLOT_SCREEN, SLOT_BACK);
    EXPECT_EQ(pixel(SLOT_SCREEN, 639, 479), 61);
    // showRect to the screen of the windowed variant lands at the client origin, elsewhere never.
    openDisplay(0);
    g_clientX = 3, g_clientY = 2;
    g_display.fill(SLOT_BACK, 60);
    g_display.showRect(0, 0, 0, 0, 10, 10, SLOT_SCREEN, SLOT_BACK);
    g_display.showRect(0, 0, 0, 0, 10, 10, SLOT_WORK, SLOT_BACK);
    EXPECT_EQ(pixel(SLOT_SCREEN, 2, 1), 0);
    EXPECT_EQ(pixel(SLOT_SCREEN, 3, 2), 60);
    EXPECT_EQ(pixel(SLOT_WORK, 0, 0), 60);
}

TEST_F(DisplayTest, PenLinesLeaveOutTheirEndPoint) {
    g_basePalette[255] = {255, 255, 255, 1};
    g_display.sendPalette(g_basePalette);
    g_display.drawLine(SLOT_BACK, 10, 10, 20, 10, 1, 0xFFFFFF);
    EXPECT_EQ(pixel(SLOT_BACK, 10, 10), 255);
    EXPECT_EQ(pixel(SLOT_BACK, 19, 10), 255);
    EXPECT_EQ(pixel(SLOT_BACK, 20, 10), 0);
    g_display.drawLine(SLOT_BACK, 100, 100, 100, 200, 4, 0xFFFFFF);
    EXPECT_EQ(pixel(SLOT_BACK, 98, 150), 255);
    EXPECT_EQ(pixel(SLOT_BACK, 101, 150), 255);
    EXPECT_EQ(pixel(SLOT_BACK, 102, 150), 0);
    g_display.drawFrame(SLOT_BACK, -50, -50, 700, 600, 8, 0xFFFFFF);
    g_display.clear(SLOT_BACK);
    g_display.drawFrame(SLOT_BACK, 19, 51, 627, 211, 4, 0x000000);
    g_display.drawFrame(SLOT_BACK, 16, 48, 624, 208, 4, 0xFFFFFF);
    expectGolden("menu-frame", slotRgb(SLOT_BACK), 640, 480);
}

TEST_F(DisplayTest, PresentCopiesTheBackBufferAndLeavesItAlone) {
    g_display.fill(SLOT_BACK, 42);
    g_display.present();
    EXPECT_EQ(pixel(SLOT_SCREEN, 320, 240), 42);
    EXPECT_EQ(pixel(SLOT_BACK, 320, 240), 42);
}

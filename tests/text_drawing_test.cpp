// Text in the stand-ins of the Windows faces: measured extents, shadow, centring, and goldens.
#include <gtest/gtest.h>

#include <cstring>

#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/script_engine.h"
#include "golden.h"
#include "platform/text_encoding.h"
#include "platform/text_rasteriser.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        useHeadlessWindowSystem();
        g_fullScreen = 1;
        g_display.open();
        for (int i = 0; i < kPaletteEntries; ++i)
            g_basePalette[i] = {static_cast<uint8_t>(i), 0, 80, 1};
        g_basePalette[0] = {0, 0, 0, 1};
        g_basePalette[255] = {255, 255, 255, 1};
        g_fader.commitPalette();
        std::strcpy(g_engine.fontFace, sjis("ＭＳ Ｐ明朝"));
        g_display.fill(SLOT_BACK, 100);
    }
    int inkIn(int slot, uint8_t index, int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                count += g_display.pixels[slot][y * g_display.pitch[slot] + x] == index;
        }
        return count;
    }
};

}  // namespace

TEST_F(TextTest, FullWidthCharactersOfTheMessageFontAreAboutTwentySixSquare) {
    for (const char* face : {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}) {
        int font = openFont({sjis(face), 26, 0, 800, false});
        int32_t width = 0, height = 0;
        measureText(font, sjis("あ"), 2, width, height);
        EXPECT_EQ(height, 26) << face;
        EXPECT_GE(width, 24) << face;
        EXPECT_LE(width, 28) << face;
        int32_t half = 0;
        measureText(font, sjis("1"), 1, half, height);
        EXPECT_LT(half, width * 3 / 4) << face;
    }
    // A face that is no Windows face still finds Japanese glyphs.
    int font = openFont({"Impact", 26, 0, 400, false});
    int32_t width = 0, height = 0;
    measureText(font, sjis("漢字"), 4, width, height);
    EXPECT_GT(width, 40);
}

TEST_F(TextTest, AWidthScalesTheCharacters) {
    int32_t narrow = 0, wide = 0, height = 0;
    measureText(openFont({sjis("ＭＳ ゴシック"), 32, 8, 400, false}), sjis("あいう"), 6, narrow, height);
    measureText(openFont({sjis("ＭＳ ゴシック"), 32, 0, 400, false}), sjis("あいう"), 6, wide, height);
    EXPECT_LT(narrow, wide * 3 / 4);
    EXPECT_EQ(height, 32);
}

TEST_F(TextTest, TheShadowLiesTwoPixelsDownRightUnderTheText) {
    int32_t height = g_display.drawMenuText(32, 64, sjis("影"), 26, 0, 800, 2, 0xFFFFFF, SLOT_BACK);
    EXPECT_EQ(height, 26);
    EXPECT_GT(inkIn(SLOT_BACK, 255, 32, 64, 60, 92), 50);
    EXPECT_GT(inkIn(SLOT_BACK, 0, 34, 66, 62, 94), 10);
    EXPECT_EQ(inkIn(SLOT_BACK, 0, 32, 64, 34, 66), 0);
}

TEST_F(TextTest, MinusOneCentresOnTheScreen) {
    g_display.drawTitleText(-1, -1, sjis("中央"), SLOT_BACK);
    int32_t width = 0, height = 0;
    measureText(openFont({sjis("ＭＳ Ｐ明朝"), 26, 0, 800, false}), sjis("中央"), 4, width, height);
    int left = 320 - width / 2, top = 240 - height / 2;
    EXPECT_EQ(inkIn(SLOT_BACK, 255, 0, 0, left, 480), 0);
    EXPECT_EQ(inkIn(SLOT_BACK, 255, 0, 0, 640, top), 0);
    EXPECT_GT(inkIn(SLOT_BACK, 255, left, top, left + width, top + height), 100);
    expectGolden("text-centred", slotRgb(SLOT_BACK), 640, 480);
}

TEST_F(TextTest, EveryFaceDrawsMixedFullAndHalfWidthText) {
    const char* faces[] = {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"};
    int32_t y = 16;
    for (const char* face : faces) {
        g_display.drawText(16, y, 320, 240, sjis("吾輩はCatである。ｶﾀｶﾅ 123"), 26, 0, 800, 2, 0xFFFFFF, false,
                           sjis(face), 128, SLOT_BACK, 0);
        y += 40;
    }
    g_display.drawText(16, y, 320, 240, sjis("細字とitalic"), 26, 0, 400, 0, 0xFFFFFF, true, sjis(faces[3]),
                       128, SLOT_BACK, 0);
    expectGolden("text-faces", slotRgb(SLOT_BACK), 640, 480);
}

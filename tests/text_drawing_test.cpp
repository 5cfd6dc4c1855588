// Text in the stand-ins of the Windows faces: measured extents, and goldens of centring, shadow and every
// face.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display/palette_fader.h"
#include "golden.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "test_support.h"

namespace {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessDisplay();
        for (int i = 0; i < kPaletteEntries; ++i)
            g_basePalette[i] = {static_cast<uint8_t>(i), 0, 80, 1};
        g_basePalette[0] = {0, 0, 0, 1};
        g_basePalette[255] = {255, 255, 255, 1};
        g_fader.commitPalette();
        g_display.fill(SLOT_BACK, 100);
    }
};

}  // namespace

// The four Windows faces are drawn by their stand-ins in the goldens below; a face that is no Windows
// face still finds Japanese glyphs, and a width of 8 makes the average character 8 wide, a full-width
// one about twice that.
TEST_F(TextTest, AnyFaceFindsJapaneseGlyphsAndAWidthScalesThem) {
    int32_t width = 0, height = 0;
    measureText(openFont({"Impact", 26, 0, 400, false}), sjis("漢字"), 4, width, height);
    EXPECT_GT(width, 40);
    measureText(openFont({sjis("ＭＳ ゴシック"), 32, 8, 400, false}), sjis("あいう"), 6, width, height);
    EXPECT_NEAR(width, 3 * 16, 3);
    EXPECT_EQ(height, 32);
}

TEST_F(TextTest, MinusOneCentresOnTheScreen) {
    g_display.drawTitleText(-1, -1, sjis("中央"), SLOT_BACK);
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

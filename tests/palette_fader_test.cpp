// Palette fades: the exact number of passes (each at least its milliseconds on the virtual clock),
// the exempt entries, the closing call, and the windowed variant's larger steps.
#include <gtest/gtest.h>

#include <cstring>

#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/script_engine.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

class FaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessDisplay();
        for (int i = 0; i < kPaletteEntries; ++i) {
            g_basePalette[i] = {static_cast<uint8_t>(i), 100, 200, 1};
        }
        std::memset(g_fadeLocked, 0, sizeof g_fadeLocked);
        g_engine.textColor = 255;
        g_fader.commitPalette();
        mainWindowProc({WM_KEYUP, VK_CONTROL, 0});
    }
    void TearDown() override { g_fullScreen = 1; }
    // The engine time a call takes; every pass lasts exactly its milliseconds on the virtual clock.
    template <typename Call>
    uint32_t timeOf(Call call) {
        uint32_t start = timeGetTime();
        call();
        return timeGetTime() - start;
    }
};

}  // namespace

TEST_F(FaderTest, FadesMakeTheirExactNumberOfPasses) {
    EXPECT_EQ(timeOf([] { g_fader.fadeUp(-255, 0, 2, 10); }), 1280u);   // 128 passes
    EXPECT_EQ(timeOf([] { g_fader.fadeDown(0, -255, 3, 10); }), 860u);  // 86, the last on -255
    // From beyond the target: no pass, only the closing call.
    EXPECT_EQ(timeOf([] { g_fader.fadeUp(0, -64, 3, 10); }), 0u);
    EXPECT_EQ(g_shownPalette[100].green, 36);
}

TEST_F(FaderTest, ExemptEntriesKeepTheirColour) {
    g_fadeLocked[40] = 1;
    g_engine.textColor = 40;
    g_fader.fadeDown(0, -255, 3, 10);
    for (int i : {1, 2, 40})
        EXPECT_EQ(g_shownPalette[i].blue, 200) << i;
    for (int i : {0, 3, 39, 41, 255})
        EXPECT_EQ(g_shownPalette[i].blue, 0) << i;
    EXPECT_EQ(g_devicePalette[255].blue, 0);
    g_fader.setBrightness(0);
    EXPECT_EQ(g_shownPalette[255].blue, 200);
    // The one call that refreshes the exempt entries from the base table.
    g_basePalette[2] = {160, 160, 160, 1};
    g_fader.commitPalette();
    EXPECT_EQ(g_shownPalette[2].red, 160);
}

TEST_F(FaderTest, BrightnessClampsEveryChannel) {
    g_fader.setBrightness(255);
    EXPECT_EQ(g_shownPalette[0].green, 255);
    g_fader.setBrightness(-150);
    EXPECT_EQ(g_shownPalette[160].green, 0);
    EXPECT_EQ(g_shownPalette[160].blue, 50);
}

TEST_F(FaderTest, ARangeFadeMovesItsEntriesAndTheRestJumpAtTheEnd) {
    g_fader.setBrightness(0);
    g_fader.applyBrightness(0, 200, -64);
    EXPECT_EQ(g_shownPalette[200].blue, 136);
    EXPECT_EQ(g_shownPalette[201].blue, 200);
    g_fader.fadeDownRange(0, -128, 0, 200, 4, 10);
    EXPECT_EQ(g_shownPalette[201].blue, 72);
    EXPECT_EQ(g_shownPalette[200].blue, 72);
}

TEST_F(FaderTest, TheWindowedVariantFadesInStepsFourTimesAsLargeAndShowsEntriesTenHigher) {
    g_fullScreen = 0;
    g_display.open();
    EXPECT_EQ(timeOf([] { g_fader.fadeUp(-255, 0, 2, 10); }), 320u);  // 32 passes of 8
    g_fader.setBrightness(-255);
    EXPECT_EQ(g_devicePalette[11].blue, 200);  // table entry 1, exempt
    EXPECT_EQ(g_devicePalette[10].blue, 0);
    EXPECT_EQ(g_devicePalette[255].blue, 255);  // a static colour
}

// The transitions in-process: the dissolve order, each effect's step count on the virtual clock, the
// pixels it leaves, and regions that reach outside the slots.
#include <gtest/gtest.h>

#include <vector>

#include "display/display.h"
#include "display/transition_effects.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

const int kWait = 10;

class EffectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        openHeadlessDisplay();
        resetRandomGenerator();
        g_effects.buildDissolveOrder();
        std::string system = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/system.bmp");
        TempFolder folder;
        writeFile(folder.file("system.bmp"), system);
        g_display.loadPalette(folder.file("system.bmp").c_str());
        g_display.loadBitmap(folder.file("system.bmp").c_str(), 640, 480, 0, 0, 0, 0, SLOT_SYSTEM);
    }
    void SetUp() override {
        g_fullScreen = 1;
        mainWindowProc({WM_KEYUP, VK_CONTROL, 0});
        // The source: a pattern with transparent pixels (index 1) on every fifth column.
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                pixelAt(SLOT_SCENE, x, y) = static_cast<uint8_t>(x % 5 == 0 ? 1 : 20 + (x + y) % 200);
            }
        }
        g_display.fill(SLOT_SCREEN, 7);
    }
    // Runs the effect through the dispatcher and returns its steps (the engine time less the pause).
    static uint32_t stepsOf(int effect, int x, int y, int width, int height) {
        uint32_t start = timeGetTime();
        g_effects.run(effect, x, y, x, y, width, height, kWait, SLOT_SCREEN, SLOT_SCENE);
        return (timeGetTime() - start - 200) / kWait;
    }
    // Pixels of the rectangle that equal the source (or, keyed, were left alone where it is transparent).
    static int copied(int x0, int y0, int x1, int y1, bool keyed) {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                uint8_t source = pixelAt(SLOT_SCENE, x, y);
                count += pixelAt(SLOT_SCREEN, x, y) == (keyed && source == 1 ? 7 : source);
            }
        }
        return count;
    }
};

}  // namespace

TEST_F(EffectsTest, TheDissolveOrderIsTheSameOnEveryRun) {
    EXPECT_EQ(std::vector<int>(g_dissolveX, g_dissolveX + 8), (std::vector<int>{9, 14, 1, 6, 2, 9, 1, 9}));
    EXPECT_EQ(std::vector<int>(g_dissolveY, g_dissolveY + 8), (std::vector<int>{3, 4, 12, 14, 0, 1, 11, 11}));
    EXPECT_EQ(g_dissolveX[255], 12);
    EXPECT_EQ(g_dissolveY[255], 1);
    // 2,223 draws of a pair: the generator has moved 4,446 values on.
    resetRandomGenerator();
    for (int i = 0; i < 4446; ++i)
        randomInRange(0, 1);
    int32_t next = randomInRange(0, 32767);
    resetRandomGenerator();
    g_effects.buildDissolveOrder();
    EXPECT_EQ(randomInRange(0, 32767), next);
}

TEST_F(EffectsTest, EveryEffectTakesItsStepsAndRevealsTheWholeTiles) {
    const struct {
        int effect;
        uint32_t steps;
    } cases[] = {{0, 0},   {1, 256}, {2, 16},  {3, 16},  {4, 16},  {5, 32},  {6, 32},  {7, 640},
                 {8, 296}, {9, 56},  {10, 56}, {11, 56}, {12, 72}, {13, 52}, {14, 480}};
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(stepsOf(c.effect, 0, 0, 640, 480), c.steps) << "effect " << c.effect;
        // Only effect 0 and the dissolve leave the source's transparent pixels out.
        EXPECT_EQ(copied(0, 0, 640, 480, c.effect <= 1), 640 * 480) << "effect " << c.effect;
    }
}

// The dissolve leaves the source's transparent pixels out, so an all-transparent one changes nothing,
// but it still takes its 256 steps.
TEST_F(EffectsTest, ADissolveOfNothingStillTakesItsSteps) {
    g_display.fill(SLOT_SCENE, 1);
    uint32_t start = timeGetTime();
    g_effects.dissolve(0, 0, 0, 0, 640, 480, 1, SLOT_SCREEN, SLOT_SCENE);
    EXPECT_EQ(timeGetTime() - start, 256u);
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 320, 240), 7);
}

TEST_F(EffectsTest, HoldingCtrlRunsAnEffectAtDrawingSpeed) {
    mainWindowProc({WM_KEYDOWN, VK_CONTROL, 0});
    uint32_t start = timeGetTime();
    g_effects.run(1, 0, 0, 0, 0, 640, 480, 10, SLOT_SCREEN, SLOT_SCENE);
    EXPECT_EQ(timeGetTime() - start, 257u);  // one pump a step and one for the pause
}

TEST_F(EffectsTest, RegionsOutsideTheSlotsAreClippedWhateverTheNumbers) {
    for (int effect = 0; effect < 15; ++effect) {
        SetUp();
        g_effects.run(effect, 600, 400, 600, 400, 100, 100, 0, SLOT_SCREEN, SLOT_SCENE);
        g_effects.run(effect, -50, -50, -50, -50, 100, 100, 0, SLOT_SCREEN, SLOT_SCENE);
        g_effects.run(effect, INT32_MAX, INT32_MIN, 0, 0, INT32_MAX, INT32_MAX, 0, SLOT_SCREEN, SLOT_SCENE);
        g_effects.run(effect, 0, 0, 0, 0, -640, -480, 0, SLOT_SCREEN, SLOT_SCENE);
    }
    SetUp();
    g_effects.columnWipe(600, 0, 600, 0, 100, 480, 0, SLOT_SCREEN, SLOT_SCENE);
    EXPECT_EQ(copied(600, 0, 640, 480, false), 40 * 480);
    // A region partly off the screen still takes every step the author wrote; only the drawing is
    // clipped. A remainder narrower than a tile is never touched: the tiles end at u = v = 96.
    const struct {
        int effect;
        uint32_t steps;
    } partly[] = {{1, 256},     {2, 16}, {3, 16},  {4, 16},  {5, 32},  {6, 32},  {7, 100},
                  {8, 6 + 256}, {9, 22}, {10, 22}, {11, 22}, {12, 38}, {13, 35}, {14, 100}};
    for (const auto& c : partly) {
        SetUp();
        EXPECT_EQ(stepsOf(c.effect, -50, -50, 100, 100), c.steps) << "effect " << c.effect;
        int reach = c.effect == 7 || c.effect == 14 ? 50 : 46;
        EXPECT_EQ(copied(0, 0, reach, reach, c.effect == 1), reach * reach) << "effect " << c.effect;
        EXPECT_EQ(copied(reach, 0, 640, 480, false), 0) << "effect " << c.effect;
        EXPECT_EQ(copied(0, reach, reach, 480, false), 0) << "effect " << c.effect;
    }
    EXPECT_EXIT(g_effects.run(15, 0, 0, 0, 0, 640, 480, 0, SLOT_SCREEN, SLOT_SCENE),
                ::testing::ExitedWithCode(1), "現在対応している演出番号は 0～14 です。");
    EXPECT_EXIT(g_effects.run(-2, 0, 0, 0, 0, 640, 480, 0, SLOT_SCREEN, SLOT_SCENE),
                ::testing::ExitedWithCode(1), "0～14");
}

TEST_F(EffectsTest, TheWindowedScreenIsWrittenAtTheClientOrigin) {
    g_fullScreen = 0;
    g_clientX = 16, g_clientY = 16;
    g_effects.rowWipe(0, 0, 0, 0, 16, 16, 0, SLOT_SCREEN, SLOT_SCENE);
    g_clientX = g_clientY = 0;
    g_fullScreen = 1;
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 1, 0), 7);
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 17, 16), pixelAt(SLOT_SCENE, 1, 0));
}

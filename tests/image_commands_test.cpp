// The picture, palette and text commands in-process: what they leave in the layers, the scene and the
// palette tables.
#include <gtest/gtest.h>

#include <cstring>

#include "bitmap_fixtures.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/script_engine.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

// Pictures whose colour table is entry i = (i, i, 255 - i) with entry 1 magenta, filled with one index.
class ImageCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessDisplay();
        mainWindowProc({WM_KEYDOWN, VK_CONTROL, 0});
        picture("bg.bmp", 640, 480, 40);
        picture("char.bmp", 320, 480, 50, 1);
        picture("wide.bmp", 640, 480, 60, 1);
        picture("obj.bmp", 100, 100, 70);
        g_engine.transparentSet = 0;
        g_engine.textColor = 255;
        g_engine.dimLevel = 0;
        std::memset(g_fadeLocked, 0, sizeof g_fadeLocked);
        g_display.loadPalette("bg.bmp");
        g_engine.resetScreen();
    }
    void TearDown() override { mainWindowProc({WM_KEYUP, VK_CONTROL, 0}); }
    // A picture filled with index, and a transparent border of the given width.
    void picture(const char* name, int width, int height, uint8_t index, int border = 0) {
        BitmapLayout layout;
        layout.width = width, layout.height = height;
        for (int i = 0; i < 256; ++i)
            layout.colours.push_back(static_cast<uint32_t>(i << 16 | i << 8 | (255 - i)));
        layout.colours[1] = 0xFF00FF;
        std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height),
                                               std::vector<uint8_t>(static_cast<size_t>(width), index));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (x < border || y < border) rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = 1;
            }
        }
        layout.pixels = bottomUpRows(rows);
        writeFile(folder.file(name), makeBitmap(layout));
    }
    static void run(const char* args, void (ScriptEngine::*command)()) {
        std::snprintf(g_engine.args, sizeof g_engine.args, "%s", args);
        (g_engine.*command)();
    }
    TempFolder folder;
    EnterFolder inFolder{folder.path()};
};

}  // namespace

TEST_F(ImageCommandsTest, CharactersGoToTheirPlacesAndTheCentreLiesInFront) {
    run("bg.bmp 0 0", &ScriptEngine::cmdBgLoad);
    run("char.bmp 0 0 0", &ScriptEngine::cmdObjLoad);
    run("char.bmp 2 0 0", &ScriptEngine::cmdObjLoad);
    picture("centre.bmp", 320, 480, 55, 1);
    // -1: the scene changes, the screen waits for a later transition.
    run("centre.bmp 1 -1 0", &ScriptEngine::cmdObjLoad);
    // The transparent border stays transparent in the layer, and the background shows through it.
    EXPECT_EQ(pixelsAt(SLOT_CHARS, {{0, 0}, {100, 100}, {420, 100}}), (std::vector<int>{1, 50, 50}));
    EXPECT_EQ(pixelsAt(SLOT_SCENE, {{0, 0}, {200, 100}}), (std::vector<int>{40, 55}));
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 200, 100), 50);
    run("show 0 0 640 480 0 0", &ScriptEngine::cmdObjLoadF);
    EXPECT_EQ(pixelAt(SLOT_SCREEN, 200, 100), 55);
    run("wide.bmp 3 0 0", &ScriptEngine::cmdObjLoad);  // a full-width picture empties the centre
    EXPECT_EQ(pixelAt(SLOT_SCENE, 200, 100), 60);
    run("centre.bmp 1 0 0", &ScriptEngine::cmdObjLoad);
    run("clear 3 0 0", &ScriptEngine::cmdObjLoad);  // clears the centre too
    EXPECT_EQ(pixelAt(SLOT_SCENE, 200, 100), 40);
}

TEST_F(ImageCommandsTest, FreeObjectsArePastedOnlyWhereTheyLieInsideTheLayer) {
    run("obj.bmp 600 400 100 100 -1 0", &ScriptEngine::cmdObjLoadF);
    EXPECT_EQ(pixelsAt(SLOT_CHARS, {{639, 479}, {599, 479}}), (std::vector<int>{70, 1}));
    run("clear 620 460 100 100 -1 0", &ScriptEngine::cmdObjLoadF);
    EXPECT_EQ(pixelsAt(SLOT_CHARS, {{639, 479}, {610, 450}}), (std::vector<int>{1, 70}));
    // Numbers far outside the screen change nothing and never reach past a slot.
    run("obj.bmp -2000000000 2000000000 100 100 1 0", &ScriptEngine::cmdObjLoadF);
    run("clear -2147483648 -2147483648 2147483647 2147483647 0 0", &ScriptEngine::cmdObjLoadF);
    EXPECT_EQ(pixelAt(SLOT_CHARS, 0, 0), 1);
    run("obj.bmp 0 0 100 100 1 0 0 0 10 10 0 0", &ScriptEngine::cmdObjLoadXy);
}

// plloadf copies its range at the current brightness, plload everything at full brightness; neither
// replaces the reserved entries 0, 2 and 255, nor plloadf the colour key.
TEST_F(ImageCommandsTest, PaletteCommandsSkipTheReservedEntries) {
    picture("p.bmp", 4, 4, 3);
    std::memset(g_basePalette, 0, sizeof g_basePalette);
    run("p.bmp 4 0 0", &ScriptEngine::cmdPlLoadF);
    EXPECT_EQ(g_basePalette[3].red, 3);
    for (int i : {0, 1, 2})
        EXPECT_EQ(g_basePalette[i].blue, 0) << i;
    run("p.bmp 2 254 0", &ScriptEngine::cmdPlLoadF);
    EXPECT_EQ(g_basePalette[254].blue, 255);
    EXPECT_EQ(g_basePalette[255].blue, 0);
    EXPECT_EXIT(run("p.bmp 2 255 0", &ScriptEngine::cmdPlLoadF), ::testing::ExitedWithCode(1),
                "@plloadf で指定できるパレットの上限を超えています");
    g_engine.dimLevel = -64;
    g_fader.setBrightness(-64);
    run("p.bmp", &ScriptEngine::cmdPlLoad);
    EXPECT_EQ(g_engine.dimLevel, 0);
    EXPECT_EQ(g_devicePalette[100].red, 100);
    EXPECT_EQ(g_basePalette[2].blue, 0);
}

TEST_F(ImageCommandsTest, ATextColourStaysBrightThroughADimUntilTextend) {
    run("40 255 255 0", &ScriptEngine::cmdTextColor);
    g_fader.fadeDown(0, -64, 3, 10);
    EXPECT_EQ(g_devicePalette[40].green, 255);
    run("255 0 0 0", &ScriptEngine::cmdTextColor);
    g_fader.fadeDown(0, -64, 3, 10);
    EXPECT_EQ(g_devicePalette[40].green, 255);
    run("40", &ScriptEngine::cmdTextEnd);
    g_fader.fadeDown(0, -64, 3, 10);
    EXPECT_EQ(g_devicePalette[40].green, 191);
    // Entry 255 was darkened while entry 40 was the text colour; exempt again, it keeps that colour.
    EXPECT_EQ(g_devicePalette[255].green, 191);
}

TEST_F(ImageCommandsTest, SettransFixesTheColourKeyUntilReleased) {
    run("0 128 0", &ScriptEngine::cmdSetTrans);
    EXPECT_EQ(g_devicePalette[1].green, 128);
    run("char.bmp 0 0 0", &ScriptEngine::cmdObjLoad);
    EXPECT_EQ(g_basePalette[1].green, 128);
    run("-1 -1 -1", &ScriptEngine::cmdSetTrans);
    run("char.bmp 0 0 0", &ScriptEngine::cmdObjLoad);
    EXPECT_EQ(g_basePalette[1].green, 0);
    EXPECT_EQ(g_basePalette[1].red, 255);
}

TEST_F(ImageCommandsTest, DamageShakesInShrinkingStepsAndFlashReturnsToTheDimmedLevel) {
    mainWindowProc({WM_KEYUP, VK_CONTROL, 0});
    uint32_t start = timeGetTime();
    run("10", &ScriptEngine::cmdDamage);
    EXPECT_EQ(timeGetTime() - start, 120u);  // amplitudes 10, 6 and 2, 40 ms each
    start = timeGetTime();
    run("0", &ScriptEngine::cmdDamage);
    EXPECT_EQ(timeGetTime() - start, 40u);
    g_engine.dimLevel = -64;
    run("", &ScriptEngine::cmdFlash);
    EXPECT_EQ(g_shownPalette[100].red, 36);
}

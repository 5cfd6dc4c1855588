// The game-selection page: the title picture, the panel of the game shown, and the items "前", "後",
// "ロード" and "終了".
#include <cstdio>
#include <initializer_list>

#include "commands/hover_lines.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const char kTitlePicture[] = "zeb.bmp";
const int kFadedEntries = 200;
const int32_t kFadeStep = 4;
const uint32_t kFadeStepMs = 10;
const int32_t kMenuDim = -128;
const int32_t kBlack = -255;
const int32_t kPageDissolveMs = 3;
const int32_t kPanelDissolveMs = 1;
const int32_t kCounterX = 288;
const int32_t kCounterY = 224;

struct MenuItem {
    const char* text;
    MenuRect hit;  // fixed numbers, edges included
};
enum { ITEM_PREVIOUS, ITEM_NEXT, ITEM_LOAD, ITEM_QUIT, ITEM_COUNT };
const MenuItem kItems[ITEM_COUNT] = {
    {"前", {32, 224, 58, 250}},
    {"後", {96, 224, 122, 250}},
    {"ロード", {160, 224, 230, 250}},
    {"終了", {32, 352, 84, 378}},
};

uint32_t white() {
    return colourOf(g_basePalette[255]);
}

uint32_t grey() {
    return colourOf(g_basePalette[2]);
}

void text(int32_t x, int32_t y, const char* sjisText, int32_t shadow, uint32_t colour, int slot) {
    g_display.drawMenuText(x, y, sjisText, kMenuFontHeight, 0, kMenuFontWeight, shadow, colour, slot);
}

void drawItem(int item, int32_t shadow, uint32_t colour, int slot) {
    text(kItems[item].hit.left, kItems[item].hit.top, sjis(kItems[item].text), shadow, colour, slot);
}

}  // namespace

void FrontEnd::run() {
    showBackground();
    waitForClick();
    g_fader.fadeDownRange(0, kMenuDim, 0, kFadedEntries, kFadeStep, kFadeStepMs);
    scanGames();
    selected = 0;
    for (;;) {
        drawMenu();
        runPage();
        if (count != 0) g_engine.launchGame();
        showBackground();
        g_fader.fadeDownRange(0, kMenuDim, 0, kFadedEntries, kFadeStep, kFadeStepMs);
        waitSinceMark(0);
    }
}

// The title picture: palette and picture from zeb.bmp, kept clean in slot 3 while the page is up.
void FrontEnd::showBackground() {
    g_display.clear(SLOT_SCREEN);
    g_display.loadPalette(kTitlePicture);
    g_display.loadBitmap(kTitlePicture, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_TEXT);
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_BACK, SLOT_TEXT);
    g_fader.setBrightness(kBlack);
    g_display.present();
    g_fader.fadeUpRange(kBlack, 0, 0, kFadedEntries, kFadeStep, kFadeStepMs);
}

void FrontEnd::drawMenu() {
    text(0, 0, sjis("ロードするゲームを選んでください。"), kMenuShadowOffset, white(), SLOT_BACK);
    for (int item : {ITEM_QUIT, ITEM_PREVIOUS, ITEM_NEXT, ITEM_LOAD})
        drawItem(item, kMenuShadowOffset, grey(), SLOT_BACK);
    drawPanel();
    g_effects.dissolve(0, 0, 0, 0, kSlotWidth, kSlotHeight, kPageDissolveMs, SLOT_SCREEN, SLOT_BACK);
}

void FrontEnd::drawPanel() {
    g_display.copyOpaque(0, 32, 0, 32, kSlotWidth, 163, SLOT_BACK, SLOT_TEXT);
    g_display.drawFrame(SLOT_BACK, 19, 51, 627, 211, 4, 0x000000);
    g_display.drawFrame(SLOT_BACK, 16, 48, 624, 208, 4, white());
    char counter[32];
    if (count > 0) {
        const char* lines[] = {title[selected], subtitle[selected], genre[selected], artist[selected]};
        int32_t y = 64;
        for (const char* line : lines) {
            text(32, y, line, kMenuShadowOffset, white(), SLOT_BACK);
            y += 32;
        }
        std::snprintf(counter, sizeof counter, "%2d/%2d", selected + 1, count);
    } else {
        text(32, 64, sjis("データが見つかりませんでした。"), kMenuShadowOffset, white(), SLOT_BACK);
        std::snprintf(counter, sizeof counter, " 0/ 0");
    }
    g_display.copyOpaque(kCounterX, kCounterY, kCounterX, kCounterY, 100, 32, SLOT_BACK, SLOT_TEXT);
    text(kCounterX, kCounterY, counter, kMenuShadowOffset, white(), SLOT_BACK);
}

// No wrap-around; with no games "後" leaves the selection at 0 rather than counting past the table.
void FrontEnd::turnPage(int32_t delta) {
    int32_t next = selected + delta;
    if (next >= count || next < 0) return;
    selected = next;
    drawPanel();
    g_effects.dissolve(0, 32, 0, 32, kSlotWidth, 227, kPanelDissolveMs, SLOT_SCREEN, SLOT_BACK);
}

// A reader who never read the README finds the settings page here: the window shows its key in a corner.
void FrontEnd::runPage() {
    g_windowSystem->setModeMark("F1 設定");
    MenuRect hits[ITEM_COUNT];
    for (int item = 0; item < ITEM_COUNT; ++item)
        hits[item] = kItems[item].hit;
    // The label is drawn on the screen and on the back buffer, so the next dissolve keeps the highlight.
    HoverLines items(hits, ITEM_COUNT, [](int item, bool highlighted) {
        drawItem(item, 0, highlighted ? white() : grey(), SLOT_SCREEN);
        drawItem(item, 0, highlighted ? white() : grey(), SLOT_BACK);
    });
    // A drop counts only while the page is shown.
    while (!g_windowSystem->takeDroppedPath().empty()) {
    }
    for (;;) {
        g_leftClicked = 0;
        waitSinceMark(0);
        std::string dropped = g_windowSystem->takeDroppedPath();
        if (!dropped.empty() && playDropped(dropped)) return closeMenu();
        items.follow();
        // After "前" or "後" the pass goes on with the next item.
        for (int item = 0; item < ITEM_COUNT; ++item) {
            if (!items.clicked(item)) continue;
            if (item == ITEM_PREVIOUS) turnPage(-1);
            if (item == ITEM_NEXT) turnPage(+1);
            if (item == ITEM_LOAD) return closeMenu();
            if (item == ITEM_QUIT) {
                closeMenu();
                quitProgram();
            }
        }
        idleUntilInput();
    }
}

void FrontEnd::closeMenu() {
    g_windowSystem->setModeMark(nullptr);
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_BACK, SLOT_TEXT);
    g_effects.dissolve(0, 0, 0, 0, kSlotWidth, kSlotHeight, kPageDissolveMs, SLOT_SCREEN, SLOT_BACK);
    g_fader.fadeDown(kMenuDim, kBlack, kFadeStep, kFadeStepMs);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot != SLOT_SYSTEM) g_display.clear(slot);
    }
}

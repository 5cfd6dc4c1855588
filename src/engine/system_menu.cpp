// The right-click menu of the reader's waits: hide the text, save, load, or end the game.
#include <cstdio>

#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const int kItems = 4;
const char* const kItemTexts[kItems] = {"文字を消す", "セーブ", "ロード", "ゲームを終了する"};
enum { ITEM_HIDE, ITEM_SAVE, ITEM_LOAD, ITEM_END };
const int32_t kLeft = 240;
const int32_t kTop = 160;
const int32_t kLineStep = 30;

void showWhole(int dstSlot, int srcSlot) {
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, dstSlot, srcSlot);
}

}  // namespace

// True when the running game was replaced by a loaded bookmark or ended: the wait must then return at
// once. The menu stays after a save, and after a load or an end the reader declined.
bool ScriptEngine::systemMenu(int8_t waitKind) {
    MenuRect rects[kItems];
    int32_t width = 0, height = 0;
    for (int item = 0; item < kItems; ++item) {
        int32_t y = kTop + kLineStep * item;
        drawMenuItem(SLOT_BACK, kLeft, y, sjis(kItemTexts[item]), width, height, kMenuPlain);
        rects[item] = {kLeft, y, kLeft + width, y + height};
    }
    for (;;) {
        showWhole(SLOT_BACK, SLOT_SCENE);
        for (int item = 0; item < kItems; ++item) {
            std::snprintf(menuText[item], kNameBytes, "%s", sjis(kItemTexts[item]));
            drawMenuItem(SLOT_BACK, rects[item].left, rects[item].top, menuText[item], width, height,
                         kMenuPlain);
        }
        showWhole(SLOT_SCREEN, SLOT_BACK);
        switch (runMenu(rects, kItems, 1)) {
            case -1:
                showWhole(SLOT_BACK, SLOT_SCENE);
                showWhole(SLOT_BACK, SLOT_TEXT);
                showWhole(SLOT_SCREEN, SLOT_BACK);
                return false;
            case ITEM_HIDE:
                hideTextUntilClick();
                return false;
            case ITEM_SAVE:
                saveMenu(waitKind);
                break;
            case ITEM_LOAD:
                if (!loadMenu()) return true;
                break;
            case ITEM_END:
                if (endGameMenu()) return true;
                break;
        }
    }
}

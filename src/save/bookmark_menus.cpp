// The bookmark list that every bookmark menu shows, the yes/no question, and the five menus: save,
// load and end the game from the system menu; continue or begin from the script's loadstart; erase
// from its fileinit.
#include <cstdio>
#include <cstring>

#include "commands/hover_lines.h"
#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "platform/headless/trace.h"
#include "save/bookmark_name.h"
#include "save/save_file.h"
#include "shell/shell.h"

namespace {

const int32_t kEntryStep = 140;
const int32_t kEntryWeight = 1000;
const int32_t kMenuWipeMs = 30;
const int32_t kCentred = -1;
const int kAnswers = 2;
const char* const kBookmarkNames[kBookmarkCount] = {"しおり１", "しおり２", "しおり３"};

uint32_t white() {
    return colourOf(g_basePalette[kMenuHighlighted]);
}

void text(int32_t x, int32_t y, const char* sjisText, int32_t weight, int32_t shadow, uint32_t colour,
          int slot) {
    g_display.drawMenuText(x, y, sjisText, kMenuFontHeight, 0, weight, shadow, colour, slot);
}

void wipeFrom(int slot) {
    g_effects.maskWipe(0, 0, 0, 0, kSlotWidth, kSlotHeight, kMenuWipeMs, kBlindsPattern, SLOT_SCREEN, slot);
}

void showWhole(int dstSlot, int srcSlot) {
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, dstSlot, srcSlot);
}

// A message in the middle of the picture of a slot, until the reader clicks.
void announce(const char* message, int pictureSlot) {
    showWhole(SLOT_BACK, pictureSlot);
    text(kCentred, kCentred, sjis(message), kMenuFontWeight, 2, white(), SLOT_BACK);
    showWhole(SLOT_SCREEN, SLOT_BACK);
    waitForClick();
}

}  // namespace

void ScriptEngine::drawBookmark(int number, int slot, int colourIndex) {
    uint32_t colour = colourOf(g_basePalette[colourIndex]);
    int32_t top = kEntryStep * number;
    if (slot != SLOT_SCREEN) g_display.drawFrame(slot, 66, top + 44, 578, top + 174, 4, 0x000000);
    g_display.drawFrame(slot, 64, top + 42, 576, top + 172, 4, colour);
    int32_t shadow = slot > 0 ? 3 : 0;
    text(112, top + 58, sjis(kBookmarkNames[number]), kEntryWeight, shadow, colour, slot);
    const BookmarkSummary& mark = bookmarks[number];
    if (!mark.exists) {
        text(260, top + 58, sjis("ファイルがありません"), kEntryWeight, shadow, colour, slot);
        return;
    }
    char line[kNameBytes];
    std::snprintf(line, sizeof line, sjis("%d回目"), mark.playthrough);
    text(260, top + 58, line, kEntryWeight, shadow, colour, slot);
    std::snprintf(line, sizeof line, sjis("%d年%d月%d日"), kSavedYearBase + mark.year, mark.month, mark.day);
    text(260, top + 90, line, kEntryWeight, shadow, colour, slot);
    std::snprintf(line, sizeof line, sjis("%d時間%d分%d秒"), mark.hours, mark.minutes, mark.seconds);
    text(260, top + 122, line, kEntryWeight, shadow, colour, slot);
}

// The chosen bookmark 0–2, or −1 after a right click; an empty bookmark is chosen like any other.
int ScriptEngine::bookmarkMenu(const char* verb, bool fromBackground) {
    char title[kNameBytes];
    std::snprintf(title, sizeof title, sjis("%sするしおりを選択して下さい。"), sjis(verb));
    readBookmarks();
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_BACK,
                         fromBackground ? SLOT_BG : SLOT_SCENE);
    text(64, 8, title, kMenuFontWeight, 3, white(), SLOT_BACK);
    MenuRect rects[kBookmarkCount];
    for (int s = 0; s < kBookmarkCount; ++s) {
        drawBookmark(s, SLOT_BACK, kMenuPlain);
        rects[s] = {64, kEntryStep * s + 42, 576, kEntryStep * s + 172};
    }
    showWhole(SLOT_SCREEN, SLOT_BACK);
    return runHoverMenu(rects, kBookmarkCount, true, [this](int s, bool highlighted) {
        drawBookmark(s, SLOT_SCREEN, highlighted ? kMenuHighlighted : kMenuPlain);
    });
}

// Two answers in the menu font, 32 pixels apart, drawn on the back buffer and shown; then the menu.
int8_t ScriptEngine::confirm(const char* message) {
    text(224, 168, message, kMenuFontWeight, 2, white(), SLOT_BACK);
    text(224, 200, sjis("よろしいですか？"), kMenuFontWeight, 2, white(), SLOT_BACK);
    return askTwo(sjis("はい"), sjis("いいえ"), 284, 260);
}

int8_t ScriptEngine::askTwo(const char* first, const char* second, int32_t x, int32_t y) {
    const char* answers[kAnswers] = {first, second};
    MenuRect rects[kAnswers];
    for (int i = 0; i < kAnswers; ++i) {
        int32_t width = 0, height = 0;
        int32_t top = y + 32 * i;
        drawMenuItem(SLOT_BACK, x, top, answers[i], width, height, kMenuPlain);
        rects[i] = {x, top, x + width, top + height};
        std::snprintf(menuText[i], kNameBytes, "%s", answers[i]);
    }
    showWhole(SLOT_SCREEN, SLOT_BACK);
    return runMenu(rects, kAnswers, 1);
}

// A save that cannot be written says so and offers the list again; the game goes on either way.
void ScriptEngine::saveMenu(int8_t waitKind) {
    for (;;) {
        int number = bookmarkMenu("セーブ", false);
        if (number < 0) return;
        if (bookmarks[number].exists) {
            showWhole(SLOT_BACK, SLOT_SCENE);
            if (confirm(sjis("セーブします")) != 0) return;
        }
        if (saveGame(number, waitKind)) break;
        showMessage("エラーが発生したらしい(^^;", "セーブ出来ません（；；謎");
    }
    announce("セーブしました", SLOT_SCENE);
}

// True when nothing was loaded: the system menu stays.
bool ScriptEngine::loadMenu() {
    std::vector<uint8_t> file;
    for (;;) {
        int number = bookmarkMenu("ロード", false);
        if (number < 0 || !bookmarks[number].exists) return true;
        showWhole(SLOT_BACK, SLOT_SCENE);
        if (confirm(sjis("ロードします")) != 0) return true;
        if (!readBookmarkFile(number, file)) continue;
        resetScreen();
        wipeFrom(SLOT_SCENE);
        loadGame(number, file);
        return false;
    }
}

bool ScriptEngine::endGameMenu() {
    showWhole(SLOT_BACK, SLOT_SCENE);
    if (confirm(sjis("終了します")) != 0) return false;
    endGame();
    return true;
}

// The script's loadstart: continue a bookmark, begin again from it as a new playthrough that carries
// its play time, or begin a new game on an empty one. −1 when the reader right-clicked out of the list.
int8_t ScriptEngine::loadStartMenu() {
    wipeFrom(SLOT_BG);
    std::vector<uint8_t> file;
    for (;;) {
        int number = bookmarkMenu("ロード", true);
        if (number < 0) return -1;
        const BookmarkSummary mark = bookmarks[number];
        if (!mark.exists) {
            startPlaythrough(1, 0);
            return 0;
        }
        showWhole(SLOT_BACK, SLOT_BG);
        int8_t answer = askTwo(sjis("続きから始める"), sjis("初めから始める"), 240, 200);
        if (answer < 0) {
            showWhole(SLOT_SCREEN, SLOT_BG);
            waitSinceMark(0);
            continue;
        }
        if (answer == 0 && !readBookmarkFile(number, file)) continue;
        startPlaythrough(mark.playthrough + (answer == 1 ? 1 : 0), mark.playTime);
        if (answer == 0) loadGame(number, file);
        return 0;
    }
}

void ScriptEngine::startPlaythrough(int32_t count, uint32_t playTime) {
    resetScreen();
    wipeFrom(SLOT_BG);
    playCount = count;
    playTimeBase = playTime;
    g_playTimeStart = getTickCount();
}

// The script's fileinit: erases a bookmark after the reader agreed. Always −1.
int8_t ScriptEngine::initBookmarkMenu() {
    wipeFrom(SLOT_BG);
    for (;;) {
        int number = bookmarkMenu("初期化", true);
        if (number < 0 || !bookmarks[number].exists) return -1;
        showWhole(SLOT_BACK, SLOT_BG);
        int8_t answer = confirm(sjis("初期化します"));
        if (answer < 0) continue;
        if (answer == 1) return -1;
        removeGameFile(bookmarkFileName(number).c_str());
        traceEvent("erase %d", number);
        announce("初期化しました", SLOT_BG);
        return -1;
    }
}

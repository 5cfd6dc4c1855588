// The message display: prose typed character by character onto the text layer over the darkened
// picture, the line and page layout, and the reader's click and page waits.
#include <cstring>
#include <initializer_list>

#include "display/display.h"
#include "display/palette_fader.h"
#include "engine/backlog.h"
#include "engine/reading.h"
#include "engine/script_engine.h"
#include "engine/script_reading.h"
#include "engine/shift_jis.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "platform/textout/text_stream.h"
#include "shell/shell.h"

namespace {

const int32_t kMargin = 16;
const int32_t kRightLimit = 640;
const int32_t kBottomLimit = 480;
const int32_t kLineGap = 4;
const int32_t kBottomGap = 10;
const int32_t kShadowOffset = 2;
const int32_t kDimmed = -64;
const uint32_t kDimStepMs = 10;
const uint32_t kBlinkMs = 150;

struct CursorImage {
    int32_t x;  // where it stands in the system graphics
    int32_t width;
    int32_t height;
};
const CursorImage kClickCursor = {0, 20, 27};
const CursorImage kPageCursor = {32, 32, 32};

// Punctuation that may take the last place of a line instead of starting the next one.
bool isLineStartPunctuation(const char* at) {
    for (const char* mark : {"」", "、", "。"}) {
        if (std::memcmp(at, sjis(mark), 2) == 0) return true;
    }
    return false;
}

// The waits' blinking cursor: shown at once on entry, then 150 ms shown and 150 ms hidden until a left
// click; Space hides the text meanwhile and a right click opens the system menu. False when the
// system menu replaced or ended the game.
bool blinkUntilClick(const CursorImage& cursor, int8_t waitKind) {
    bool shown = false;
    streamWait();
    g_reading.waitBegins(false);
    for (;;) {
        WaitTurn turn = g_reading.duringWait(waitKind);
        if (turn == WaitTurn::Replaced) return false;
        if (turn == WaitTurn::Reshown) shown = false;
        if (g_wheelTurns > 0 && g_backlog.pageCount() > 0) {
            browseBacklog();
            shown = false;
        }
        g_wheelTurns = 0;
        if (g_keyDown[VK_SPACE]) g_engine.hideTextUntilClick();
        if (g_rightClicked && g_engine.systemMenu(waitKind)) return false;
        markTime();
        shown = !shown;
        if (shown) {
            g_display.showRect(g_engine.textX, g_engine.textY, cursor.x, 0, cursor.width, cursor.height,
                               SLOT_SCREEN, SLOT_SYSTEM);
        } else {
            g_display.showRect(g_engine.textX, g_engine.textY, g_engine.textX, g_engine.textY, cursor.width,
                               cursor.height, SLOT_SCREEN, SLOT_SCENE);
        }
        if (g_leftClicked || turn == WaitTurn::GoOn) return true;
        waitSinceMark(g_reading.blinkStep(kBlinkMs));
    }
}

}  // namespace

void drawTypedCharacter(int font, const char* text, size_t size, int32_t x, int32_t y, int32_t colour,
                        int slot) {
    g_display.drawGlyphs(font, text, size, x + kShadowOffset, y + kShadowOffset, Display::pixelOfEntry(0),
                         slot);
    g_display.drawGlyphs(font, text, size, x, y, Display::pixelOfEntry(colour & 0xFF), slot);
}

void ScriptEngine::dimBehindText(int32_t step) {
    if (dimLevel != 0) return;
    g_fader.fadeDown(0, kDimmed, step, kDimStepMs);
    dimLevel = kDimmed;
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_TEXT);
}

void ScriptEngine::typeCharacter() {
    markTime();
    dimBehindText();
    const char* character = script + pos;
    int32_t bytes = typedCharacterBytes(character);
    bool twoBytes = bytes == 2;
    size_t size = static_cast<size_t>(bytes);
    pos += bytes;
    font = openFont({fontFace, fontHeight, fontWidth, fontWeight, false});
    drawTypedCharacter(font, character, size, textX, textY, textColor, SLOT_TEXT);
    streamCharacters(character, size);
    g_reading.typed(pos - bytes, bytes);
    g_backlog.addCharacter(textX, textY, character, size, font, textColor);
    int32_t width = 0, height = 0;
    measureText(font, character, size, width, height);
    g_display.showRect(textX, textY, textX, textY, width + kShadowOffset, height + kShadowOffset, SLOT_SCREEN,
                       SLOT_TEXT);
    textX += width;
    if (lineHeight < height) lineHeight = height;
    int32_t keep = pos + 1 < length && twoBytes && isLineStartPunctuation(script + pos) ? 1 : 0;
    if (textX + fontHeight * (2 - keep) > kRightLimit) newLine();
    if (skipTyping == 0) waitSinceMark(g_reading.typingDelayMs());
}

void ScriptEngine::newLine() {
    streamLineEnd();
    textX = kMargin;
    textY += lineHeight + kLineGap;
    lineHeight = fontHeight;
    if (textY + fontHeight + kBottomGap > kBottomLimit) pageWait();
}

void ScriptEngine::indent() {
    if (textX == kMargin) textX = kMargin + fontHeight;
}

void ScriptEngine::clickWait() {
    g_wheelTurns = 0;
    g_keyDown[VK_SPACE] = 0;
    g_rightClicked = 0;
    g_leftClicked = 0;
    if (!blinkUntilClick(kClickCursor, ACTION_CLICK_WAIT)) return;
    g_display.showRect(textX, textY, textX, textY, kClickCursor.width, kClickCursor.height, SLOT_SCREEN,
                       SLOT_SCENE);
    g_leftClicked = 0;
    skipTyping = 0;
}

// Unlike the click wait, a right click made while the page was typed still counts.
void ScriptEngine::pageWait() {
    g_wheelTurns = 0;
    g_keyDown[VK_SPACE] = 0;
    g_leftClicked = 0;
    if (!blinkUntilClick(kPageCursor, ACTION_PAGE_WAIT)) return;
    clearPage();
}

void ScriptEngine::clearPage() {
    g_display.showRect(textX, textY, textX, textY, kPageCursor.width, kPageCursor.height, SLOT_SCREEN,
                       SLOT_SCENE);
    g_leftClicked = 0;
    clearTextLayer();
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    textY = kMargin;
    textX = kMargin;
    skipTyping = 0;
}

void ScriptEngine::clearTextLayer() {
    g_display.fill(SLOT_TEXT, Display::transparentIndex());
    g_backlog.endPage();
    streamPageEnd();
}

void ScriptEngine::hideTextUntilClick() {
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    g_fader.fadeUp(dimLevel, 0, kTypingDimStep, kDimStepMs);
    g_keyDown[VK_SPACE] = 0;
    g_leftClicked = 0;
    for (;;) {
        waitSinceMark(0);
        if (g_keyDown[VK_SPACE] || g_leftClicked) break;
        idleUntilInput();
    }
    g_rightClicked = 0;
    g_keyDown[VK_SPACE] = 0;
    g_leftClicked = 0;
    g_fader.fadeDown(0, kDimmed, kTypingDimStep, kDimStepMs);
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_TEXT);
}

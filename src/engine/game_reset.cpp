#include <cstring>

#include "display/display.h"
#include "engine/backlog.h"
#include "engine/reading.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"

namespace {

const int32_t kTextMargin = 16;
const int32_t kDefaultFontHeight = 26;
const int32_t kDefaultFontWeight = 800;

}  // namespace

void ScriptEngine::resetGameState() {
    std::strcpy(bgName, "clear");
    std::strcpy(midiName, "clear");
    g_display.fill(SLOT_TEXT, Display::transparentIndex());
    g_backlog.clear();
    g_display.fill(SLOT_CHARS, Display::transparentIndex());
    g_display.fill(SLOT_CENTER, Display::transparentIndex());
    std::memset(g_fadeLocked, 0, sizeof g_fadeLocked);
    std::memset(flags, 0, sizeof flags);
    scanLabels();
    g_reading.gameStarts();
    pos = 0;
    pendingAction = ACTION_READ_ON;
    playCount = 0;
    textY = kTextMargin;
    textX = kTextMargin;
    dimLevel = 0;
    std::strcpy(fontFace, sjis("ＭＳ Ｐ明朝"));
    fontHeight = kDefaultFontHeight;
    fontWidth = 0;
    textColor = kWhiteEntry;
    fontWeight = kDefaultFontWeight;
    skipTyping = 0;
    lineHeight = fontHeight;
    transparentSet = 0;
}

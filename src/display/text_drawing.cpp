#include <cstring>

#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "platform/text/text_rasteriser.h"
#include "shell/shell.h"

namespace {

const int32_t kScreenCentreX = 320;
const int32_t kScreenCentreY = 240;
const int32_t kTitleShadow = 3;
const int32_t kShiftJisCharSet = 128;
const int32_t kCentred = -1;

}  // namespace

int32_t Display::drawText(int32_t x, int32_t y, int32_t centreX, int32_t centreY, const char* text,
                          int32_t fontHeight, int32_t fontWidth, int32_t fontWeight, int32_t shadow,
                          uint32_t colour, bool italic, const char* faceName, int32_t, int slot, int32_t) {
    int font = openFont({faceName, fontHeight, fontWidth, fontWeight, italic});
    size_t length = std::strlen(text);
    int32_t width = 0, height = 0;
    measureText(font, text, length, width, height);
    if (x == kCentred) x = centreX - width / 2;
    if (y == kCentred) y = centreY - height / 2;
    if (slot == SLOT_SCREEN && !g_fullScreen) {
        x += g_clientX;
        y += g_clientY;
    }
    if (shadow != 0)
        drawGlyphs(font, text, length, x + shadow, y + shadow, nearestIndex(colourOf(g_basePalette[0])),
                   slot);
    drawGlyphs(font, text, length, x, y, nearestIndex(colour), slot);
    return height;
}

void Display::drawGlyphs(int font, const char* text, size_t length, int32_t x, int32_t y, uint8_t index,
                         int slot) {
    mapSurface(slot);
    TargetSurface surface = {pixels[slot], pitch[slot], kSlotWidth, kSlotHeight};
    drawTextPixels(font, text, length, x, y, index, surface);
}

int32_t Display::drawMenuText(int32_t x, int32_t y, const char* text, int32_t fontHeight, int32_t fontWidth,
                              int32_t fontWeight, int32_t shadow, uint32_t colour, int slot) {
    return drawText(x, y, kScreenCentreX, kScreenCentreY, text, fontHeight, fontWidth, fontWeight, shadow,
                    colour, false, g_engine.fontFace, kShiftJisCharSet, slot, 0);
}

int32_t Display::drawTitleText(int32_t x, int32_t y, const char* text, int slot) {
    return drawText(x, y, kScreenCentreX, kScreenCentreY, text, kMenuFontHeight, 0, kMenuFontWeight,
                    kTitleShadow, colourOf(g_basePalette[255]), false, sjis("ＭＳ Ｐ明朝"), kShiftJisCharSet,
                    slot, 0);
}

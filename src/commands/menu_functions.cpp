// The two functions every menu of the engine is built from: one menu line, and the hover-and-click
// loop over up to ten lines.
#include <cstring>

#include "commands/hover_lines.h"
#include "display/coordinates.h"
#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/text/text_rasteriser.h"
#include "shell/shell.h"

namespace {

const int32_t kMenuDimStep = 3;

}  // namespace

void ScriptEngine::drawMenuItem(int slot, int32_t x, int32_t y, const char* text, int32_t& outWidth,
                                int32_t& outHeight, int colour) {
    dimBehindText(kMenuDimStep);
    font = openFont({fontFace, kMenuFontHeight, 0, kMenuFontWeight, false});
    size_t bytes = std::strlen(text);
    if (slot == SLOT_SCREEN && !g_fullScreen) {
        x = addCoordinates(x, g_clientX);
        y = addCoordinates(y, g_clientY);
    }
    if (slot != SLOT_SCREEN) {
        g_display.drawGlyphs(font, text, bytes, addCoordinates(x, kMenuShadowOffset),
                             addCoordinates(y, kMenuShadowOffset), Display::nearestIndex(0), slot);
    }
    g_display.drawGlyphs(font, text, bytes, x, y, Display::nearestIndex(colourOf(g_basePalette[colour])),
                         slot);
    measureText(font, text, bytes, outWidth, outHeight);
}

int8_t ScriptEngine::runMenu(const MenuRect* rects, int count, int rightCancels) {
    int32_t width = 0, height = 0;
    return static_cast<int8_t>(runHoverMenu(rects, count, rightCancels != 0, [&](int i, bool highlighted) {
        drawMenuItem(SLOT_SCREEN, rects[i].left, rects[i].top, menuText[i], width, height,
                     highlighted ? kMenuHighlighted : kMenuPlain);
    }));
}

// The layers of the scene: background, characters, centre character, composed into the scene slot.
#include "display/display.h"
#include "display/palette_fader.h"
#include "display/palette_file.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const int32_t kHalfWidth = 320;
const int32_t kCentreShownAt = 160;
const int32_t kTextMargin = 16;
const int32_t kRestoreStep = 3;
const uint32_t kRestoreStepMs = 10;

}  // namespace

void ScriptEngine::composeScene() {
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCENE, SLOT_BG);
    g_display.copyKeyed(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCENE, SLOT_CHARS);
    g_display.copyKeyed(kCentreShownAt, 0, 0, 0, kHalfWidth, kSlotHeight, SLOT_SCENE, SLOT_CENTER);
}

void ScriptEngine::resetScreen() {
    clearTextLayer();
    g_display.fill(SLOT_CHARS, Display::transparentIndex());
    g_display.fill(SLOT_CENTER, Display::transparentIndex());
    g_display.clear(SLOT_BG);
    composeScene();
    textX = kTextMargin;
    textY = kTextMargin;
}

// A character picture's colour-table entry 1 becomes the colour of the colour key, unless settrans
// has fixed it.
void ScriptEngine::loadKeyColour(const char* file) {
    if (transparentSet == 1) return;
    if (!readColourTable(file, g_filePalette, 2)) fatalError(sjis(kUnreadableKeyColourMessage));
    g_basePalette[kTransparentEntry] = g_filePalette[kTransparentEntry];
    g_display.sendPaletteEntry(kTransparentEntry, g_basePalette[kTransparentEntry]);
}

// Takes the text off the screen and brings the picture back to full brightness.
void ScriptEngine::restoreBrightness() {
    if (dimLevel >= 0) return;
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    g_fader.fadeUp(dimLevel, 0, kRestoreStep, kRestoreStepMs);
    dimLevel = 0;
}

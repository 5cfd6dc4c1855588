#include "shell/startup.h"

#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"

namespace {

const uint32_t kStartPauseMs = 100;

const char kSystemGraphics[] = "system.bmp";

void initEngine() {
    g_effects.buildDissolveOrder();
    std::strcpy(g_engine.fontFace, sjis("ＭＳ Ｐ明朝"));
    g_display.loadPalette(kSystemGraphics);
    g_display.loadBitmap(kSystemGraphics, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_SYSTEM);
    g_engine.loadCommandTable();
}

}  // namespace

void runZebora(const PlatformOptions& options) {
    g_windowSystem = createWindowSystem(options);
    if (!g_windowSystem) std::exit(1);
    g_playTimeStart = getTickCount();
    if (!g_windowSystem->openWindow("Ｚｅｂｏｒａ")) std::exit(1);
    g_hWnd = 1;
    if (!g_display.open()) quitProgram();
    sleepMs(kStartPauseMs);
    initEngine();
    g_engine.startFromStartFile();
    // Until the front end exists, the window stays until it is closed.
    for (;;) waitForInput();
}

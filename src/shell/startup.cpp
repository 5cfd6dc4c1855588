#include "shell/startup.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "platform/files/text_encoding.h"
#include "platform/headless/trace.h"
#include "platform/process_exit.h"
#include "platform/running_game.h"
#include "platform/textout/text_outputs.h"
#include "platform/textout/transcript.h"
#include "shell/shell.h"
#include "sound/wave_sound.h"

namespace {

const uint32_t kStartPauseMs = 100;

const char kSystemGraphics[] = "system.bmp";

}  // namespace

void initEngine() {
    g_effects.buildDissolveOrder();
    std::strcpy(g_engine.fontFace, sjis("ＭＳ Ｐ明朝"));
    // The text colour starts as a game's reset leaves it: white, exempt from fades, so the front end's
    // white text stays white over its darkened picture on the first visit as after every game.
    g_engine.textColor = kWhiteEntry;
    g_display.loadPalette(kSystemGraphics);
    g_display.loadBitmap(kSystemGraphics, kSlotWidth, kSlotHeight, 0, 0, 0, 0, SLOT_SYSTEM);
    g_engine.loadCommandTable();
}

// The text outputs come first, so that the reader's tools may connect while the player starts: a reader
// file that is a pipe holds a headless run until its writer has written it.
void runZebora(const PlatformOptions& options, const NamedGame* game) {
    startTextOutputs(options);
    g_windowSystem = createWindowSystem(options);
    if (!g_windowSystem) exitProcess(1);
    if (options.traceFile && !openTrace(options.traceFile)) {
        std::fprintf(stderr, "zebora: cannot write the trace file %s\n", options.traceFile);
        exitProgram();
    }
    if (options.transcriptFile && !openTranscript(options.transcriptFile)) {
        std::fprintf(stderr, "zebora: cannot write the transcript %s\n", options.transcriptFile);
        exitProgram();
    }
    g_playTimeStart = getTickCount();
    if (!g_windowSystem->openWindow(kPlayerTitle)) exitProgram();
    g_hWnd = 1;
    if (!g_display.open()) quitProgram();
    g_sound.open();
    sleepMs(kStartPauseMs);
    initEngine();
    if (game) {
        std::string name = game->folder.substr(game->folder.rfind('/') + 1);
        g_engine.startGame(game->folder.c_str(), game->script.c_str(), name.c_str());
    } else {
        g_engine.startFromStartFile();
    }
    showLogo();
    g_frontEnd.run();
}

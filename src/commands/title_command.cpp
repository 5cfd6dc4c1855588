// title: a free-standing menu (a title screen), and waitclick.
#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "display/coordinates.h"
#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "platform/textout/text_stream.h"
#include "shell/shell.h"

namespace {

const int32_t kLineStep = 30;
const int32_t kWipeMs = 30;

}  // namespace

void ScriptEngine::cmdTitle() {
    MenuArgs given;
    if (const char* error = readTitleArgs(args, given)) fatalError(error);
    int32_t count = given.count, x = given.x, y = given.y;
    const auto& texts = given.texts;
    const auto& places = given.places;
    clearTextLayer();
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    MenuRect rects[kMenuLines];
    for (int i = 0; i < count; ++i) {
        int32_t width = 0, height = 0;
        drawMenuItem(SLOT_TEXT, x, y, texts[i], width, height, kMenuPlain);
        rects[i] = {x, y, addCoordinates(x, width), addCoordinates(y, height)};
        y = addCoordinates(y, kLineStep);
    }
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_TEXT);
    // A place that was a menu of its own, left without starting anything, brings the title back.
    for (;;) {
        for (int i = 0; i < count; ++i) {
            std::strcpy(menuText[i], texts[i]);
            streamMenuLine(texts[i]);
        }
        streamPageEnd();
        int8_t chosen = runMenu(rects, count, 0);
        if (jumpToLabel(places[chosen]) == 0) return;
        g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_BG);
        g_effects.maskWipe(0, 0, 0, 0, kSlotWidth, kSlotHeight, kWipeMs, kBlindsPattern, SLOT_SCREEN,
                           SLOT_SCENE);
        for (int i = 0; i < count; ++i) {
            int32_t width = 0, height = 0;
            drawMenuItem(SLOT_TEXT, rects[i].left, rects[i].top, texts[i], width, height, kMenuPlain);
        }
        g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_TEXT);
        waitSinceMark(0);
    }
}

// Waits for a left click; right clicks and keys are ignored.
void ScriptEngine::cmdWaitClick() {
    waitForClick();
}

void checkTitle(const char* args, CommandCheck& check) {
    MenuArgs given;
    if (check.problem(readTitleArgs(args, given))) return;
    for (int i = 0; i < given.count; ++i)
        check.jumpsTo(given.places[i]);
}

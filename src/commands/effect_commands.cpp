// damage, flash and out: shaking, a white flash, and clearing the scene.
#include <cstdio>

#include "commands/command_rows.h"
#include "display/display.h"
#include "display/palette_fader.h"
#include "display/transition_effects.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

namespace {

const int32_t kShakeShrink = 4;
const uint32_t kShakeStepMs = 40;
const int32_t kFlashStart = 255;
const int32_t kFlashStep = 10;
const uint32_t kFlashStepMs = 10;

}  // namespace

// Shakes the picture with the text on it, the amplitude shrinking by 4 each 40 ms step.
void ScriptEngine::cmdDamage() {
    DamageArgs given;
    if (const char* error = readDamageUsage(args, given)) fatalError(error);
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_WORK, SLOT_SCENE);
    g_display.copyKeyed(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_WORK, SLOT_TEXT);
    if (const char* error = checkDamageRange(given)) fatalError(error);
    for (int32_t amplitude = given.value; amplitude >= 0; amplitude -= kShakeShrink) {
        markTime();
        g_display.clear(SLOT_BACK);
        int32_t dy = randomInRange(-amplitude, amplitude);
        int32_t dx = randomInRange(-amplitude, amplitude);
        g_display.copyOpaqueClipped(dx, dy, 0, 0, kSlotWidth, kSlotHeight, SLOT_BACK, SLOT_WORK);
        g_display.present();
        waitSinceMark(kShakeStepMs);
    }
    g_display.copyOpaqueClipped(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_BACK, SLOT_WORK);
    g_display.present();
}

void ScriptEngine::cmdFlash() {
    g_fader.fadeDown(kFlashStart, dimLevel, kFlashStep, kFlashStepMs);
}

void ScriptEngine::cmdOut() {
    OutArgs given;
    if (const char* error = readOutArgs(args, given)) fatalError(error);
    restoreBrightness();
    resetScreen();
    g_effects.run(given.effect, 0, 0, 0, 0, kSlotWidth, kSlotHeight, given.wait, SLOT_SCREEN, SLOT_SCENE);
}

void checkDamage(const char* args, CommandCheck& check) {
    DamageArgs given;
    if (!check.problem(readDamageUsage(args, given))) check.problem(checkDamageRange(given));
}

void checkOut(const char* args, CommandCheck& check) {
    OutArgs given;
    if (!check.problem(readOutArgs(args, given))) check.transition(given.effect, false);
}

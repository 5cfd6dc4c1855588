// damage, flash and out: shaking, a white flash, and clearing the scene.
#include <cstdio>

#include "display/display.h"
#include "display/palette_fader.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "platform/text_encoding.h"
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
    int32_t value = 0;
    if (std::sscanf(args, "%d", &value) < 1) fatalError(sjis("@damage(int value); の書式が間違っています"));
    g_display.copyOpaque(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_WORK, SLOT_SCENE);
    g_display.copyKeyed(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_WORK, SLOT_TEXT);
    if (value < 0) fatalError(sjis("@damage(int dam);には正の数を記入してください。"));
    for (int32_t amplitude = value; amplitude >= 0; amplitude -= kShakeShrink) {
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
    int32_t effect = 0, wait = 0;
    if (std::sscanf(args, "%d %d", &effect, &wait) < 2)
        fatalError(sjis("@out(int type,int wait); の書式が間違っています"));
    restoreBrightness();
    resetScreen();
    g_effects.run(effect, 0, 0, 0, 0, kSlotWidth, kSlotHeight, wait, SLOT_SCREEN, SLOT_SCENE);
}

#include <cstring>

#include "display/display.h"
#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "platform/files/text_encoding.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

namespace {

const int32_t kEndWipeMs = 30;

}  // namespace

// The teardown of a game: the music stops, the channels fall silent, the text leaves the screen, the
// scene is emptied and wiped in.
void ScriptEngine::endGame() {
    g_midi.stop();
    g_sound.silenceAll();
    g_display.showRect(0, 0, 0, 0, kSlotWidth, kSlotHeight, SLOT_SCREEN, SLOT_SCENE);
    resetScreen();
    g_effects.maskWipe(0, 0, 0, 0, kSlotWidth, kSlotHeight, kEndWipeMs, kBlindsPattern, SLOT_SCREEN,
                       SLOT_SCENE);
    pendingAction = ACTION_END_GAME;
    std::strcpy(fontFace, sjis("ＭＳ Ｐ明朝"));
}

// midi and sound: the background music, and wave sounds on the channels.
#include <cstdio>
#include <cstring>

#include "engine/script_engine.h"
#include "platform/text_encoding.h"
#include "shell/shell.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

namespace {

const int kMusicAlias = 0;
const int kLastChannel = 10;

}  // namespace

// A piece given replay loops and is what a save brings back; one played once is not.
void ScriptEngine::cmdMidi() {
    char file[kNameBytes];
    int32_t replay = 0;
    if (std::sscanf(args, "%255s %d", file, &replay) < 2) {
        fatalError(sjis("@midi(char *filename,char replay); の書式が間違っています"));
    }
    if (std::strcmp(file, "clear") == 0) {
        std::strcpy(midiName, "clear");
        g_midi.stop();
        return;
    }
    g_midi.stop();
    g_midi.open(kMusicAlias, file);
    if (static_cast<int8_t>(replay) != 0) {
        std::strcpy(midiName, file);
        g_midi.play(g_hWnd, kMusicAlias);
    } else {
        std::strcpy(midiName, "clear");
        g_midi.playOnce(kMusicAlias);
    }
}

// The channel, the loop flag and the pan are each taken as a signed byte, as the engine stored them.
void ScriptEngine::cmdSound() {
    char file[kNameBytes];
    int32_t channel = 0, loop = 0, pan = 0;
    if (std::sscanf(args, "%255s %d %d %d", file, &channel, &loop, &pan) < 4) {
        fatalError(sjis("@sound(char *filename,int buf,int loop,int pan); の書式が間違ってるらしい"));
    }
    int8_t buffer = static_cast<int8_t>(channel);
    if (buffer < 0 || buffer > kLastChannel) fatalError(sjis("@soundで指定できるチャンネルは０～１０です"));
    g_sound.setChannel(file, buffer, static_cast<uint8_t>(loop), static_cast<int8_t>(pan));
    g_sound.play(buffer);
}

// midi and sound: the background music, and wave sounds on the channels.
#include <cstdio>
#include <cstring>

#include "commands/command_rows.h"
#include "engine/command_args.h"
#include "engine/script_engine.h"
#include "platform/audio/sound_device.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/midi_file.h"
#include "platform/formats/wave_file.h"
#include "shell/shell.h"
#include "sound/midi_music.h"
#include "sound/wave_sound.h"

namespace {

const int kMusicAlias = 0;

}  // namespace

// A piece given replay loops and is what a save brings back; one played once is not.
void ScriptEngine::cmdMidi() {
    MidiArgs given;
    if (const char* error = readMidiArgs(args, given)) fatalError(error);
    const char* file = given.file;
    if (std::strcmp(file, "clear") == 0) {
        std::strcpy(midiName, "clear");
        g_midi.stop();
        return;
    }
    g_midi.stop();
    g_midi.open(kMusicAlias, file);
    if (static_cast<int8_t>(given.replay) != 0) {
        std::strcpy(midiName, file);
        g_midi.play(g_hWnd, kMusicAlias);
    } else {
        std::strcpy(midiName, "clear");
        g_midi.playOnce(kMusicAlias);
    }
}

// The channel, the loop flag and the pan are each taken as a signed byte, as the engine stored them.
void ScriptEngine::cmdSound() {
    SoundArgs given;
    if (const char* error = readSoundArgs(args, given)) fatalError(error);
    g_sound.setChannel(given.file, given.channel, static_cast<uint8_t>(given.loop),
                       static_cast<int8_t>(given.pan));
    g_sound.play(given.channel);
}

void checkMidi(const char* args, CommandCheck& check) {
    MidiArgs given;
    MidiPiece piece;
    if (check.problem(readMidiArgs(args, given)) || std::strcmp(given.file, "clear") == 0) return;
    if (!readMidiFile(given.file, piece)) check.problem(sjis(kUnplayableMidiMessage));
}

void checkSound(const char* args, CommandCheck& check) {
    SoundArgs given;
    WaveFile wave;
    if (check.problem(readSoundArgs(args, given)) || std::strcmp(given.file, "clear") == 0) return;
    if (readWaveFile(given.file, wave) != nullptr || !deviceTakesWave(wave))
        check.problemWith(sjis(kUnreadableWaveMessage), given.file);
}

// Sound effects and voices: wave files loaded whole into channels that play once or in a loop, each
// with its own pan.
#pragma once
#include <cstdint>

#include "platform/audio/sound_device.h"

// The channels a save file records; scripts may also name an eleventh, which plays like the others.
const int kSavedSoundChannels = 10;
const int kSoundNameBytes = 256;

struct SoundChannel {
    bool hasBuffer;
    char fileName[kSoundNameBytes];
    uint8_t playFlags;  // 1: loop
    int8_t pan;         // in steps of 200 device units: −50 full left, 50 full right
};

// What a wave file that cannot be loaded stops with, its name in place of %s.
inline constexpr char kUnreadableWaveMessage[] = "[%s]が読み込めません";

class WaveSound {
public:
    void open();
    // Reads the file into the channel's device buffer; false after showing what went wrong.
    bool loadWave(int channel, const char* fileName);
    // Loads the file into the channel ("clear" empties it); a file that cannot be loaded ends the
    // program.
    void setChannel(const char* fileName, int channel, uint8_t playFlags, int8_t pan);
    void play(int channel);
    // Stops the channel's sound and lets its buffer go; what the channel records stays.
    void releaseBuffer(int channel);
    // After a bookmark was loaded: the looping channels 0–9 play their sounds again from the start, the
    // others stay silent, and the eleventh channel, which no bookmark records, is emptied.
    void restartLooping();
    // The end of a game: every channel silent and empty, so that the next game's saves do not record
    // this game's sounds.
    void silenceAll();
    // The clean-up at the end of the program.
    void release();

    uint8_t available = 0;
    SoundChannel channels[kWaveChannels] = {};
};

extern WaveSound g_sound;

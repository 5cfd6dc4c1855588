// Background music: standard MIDI files played by the sequencer under the aliases midi00–midi09, and
// looped by playing them again whenever the sequencer reports that a piece reached its end.
#pragma once
#include <cstdint>

const int kMidiAliases = 10;

// What opening a file the sequencer cannot play stops with.
inline constexpr char kUnplayableMidiMessage[] = "ＭＩＤＩが再生出来ません。";

class MidiMusic {
public:
    struct Entry {
        int16_t isOpen;
    };

    // Opens the file under the alias; a file that cannot be played ends the program.
    bool open(int alias, const char* fileName);
    bool checkCanPlay(int alias);
    // Plays from the current position with the end reported to the window, so that the piece loops.
    void play(int32_t window, int alias);
    void playOnce(int alias);
    // The sequencer reported that the current piece reached its end: it plays again from its start.
    void onNotify(int32_t window, int alias);
    void stop();
    void close(int alias);
    // The clean-up at the end of the program: the current piece stopped, every alias closed.
    void release();

    int16_t current = -1;
    Entry entries[kMidiAliases] = {};
};

extern MidiMusic g_midi;

// A piece of music written as note lists, and its standard MIDI file: format 1, a first track of
// metre and tempo, then one track a part.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ScoreNote {
    int start;  // in ticks
    int length;
    uint8_t key;
    uint8_t velocity;
};

struct ScorePart {
    uint8_t channel;
    uint8_t program;  // General MIDI, counted from 0
    uint8_t volume;
    uint8_t pan;
    std::vector<ScoreNote> notes;
};

struct ScoreTempo {
    int tick;
    uint32_t microsecondsPerQuarter;
};

struct MidiScore {
    uint16_t ticksPerQuarter;
    uint8_t quartersPerBar;
    std::vector<ScoreTempo> tempo;
    // Where every track ends. A looped piece starts again from here, so no note may sound up to it.
    int endTick;
    std::vector<ScorePart> parts;

    // Throws when a note is still sounding at the end.
    std::string fileBytes() const;
};

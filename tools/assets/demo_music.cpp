#include "demo_music.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace {

const uint16_t kTicksPerQuarter = 480;
const int kTicksPerEighth = kTicksPerQuarter / 2;
const uint8_t kQuartersPerBar = 4;
const int kEighthsPerBar = 2 * kQuartersPerBar;
const int kTicksPerBar = kEighthsPerBar * kTicksPerEighth;
// Every note lets go this long before its written end: a breath between notes, and silence at the
// loop point.
const int kReleaseTicks = 30;
const uint32_t kMicrosecondsPerMinute = 60000000;

const uint8_t kFluteProgram = 73, kPianoProgram = 0, kStringsProgram = 48;
const uint8_t kFluteChannel = 0, kPianoChannel = 1, kStringsChannel = 2;
const uint8_t kMajorTenth = 16, kMinorTenth = 15;

// Keys by name, C4 being middle C; "s" for sharp.
enum : uint8_t {
    G2 = 43,
    A2 = 45,
    B2 = 47,
    D3 = 50,
    A3 = 57,
    Cs4 = 61,
    D4 = 62,
    E4 = 64,
    Fs4 = 66,
    G4 = 67,
    A4 = 69,
    B4 = 71,
    D5 = 74,
    E5 = 76,
    Fs5 = 78,
    G5 = 79,
    A5 = 81,
    B5 = 83,
    D6 = 86,
};

// Notes and chords as written: where they start and how long they last, in eighths.
struct Written {
    int start;
    int eighths;
    uint8_t key;
};

struct HeldChord {
    int start;
    int eighths;
    std::vector<uint8_t> keys;
};

struct BrokenChord {
    uint8_t root;
    bool minor;
};

void play(std::vector<ScoreNote>& notes, const Written& note, uint8_t velocity) {
    notes.push_back(
        {note.start * kTicksPerEighth, note.eighths * kTicksPerEighth - kReleaseTicks, note.key, velocity});
}

std::vector<ScoreNote> tune(const std::vector<Written>& written, uint8_t velocity) {
    std::vector<ScoreNote> notes;
    for (const Written& note : written)
        play(notes, note, velocity);
    return notes;
}

void hold(std::vector<ScoreNote>& notes, const std::vector<HeldChord>& chords, uint8_t velocity) {
    for (const HeldChord& chord : chords) {
        for (uint8_t key : chord.keys)
            play(notes, {chord.start, chord.eighths, key}, velocity);
    }
}

// Each chord broken into eighths from its root up through the fifth, the octave and the tenth, and
// back down; from the first eighth on.
void breakChords(std::vector<ScoreNote>& notes, const std::vector<BrokenChord>& chords, int eighthsEach,
                 uint8_t velocity) {
    for (size_t c = 0; c < chords.size(); ++c) {
        uint8_t tenth = chords[c].minor ? kMinorTenth : kMajorTenth;
        const uint8_t steps[kEighthsPerBar] = {0, 7, 12, tenth, 19, tenth, 12, 7};
        for (int i = 0; i < eighthsEach; ++i) {
            int start = static_cast<int>(c) * eighthsEach + i;
            play(notes, {start, 1, static_cast<uint8_t>(chords[c].root + steps[i])}, velocity);
        }
    }
}

MidiScore score(int bars, std::vector<ScoreTempo> tempo) {
    return {kTicksPerQuarter, kQuartersPerBar, std::move(tempo), bars * kTicksPerBar, {}};
}

uint32_t quarterAt(uint32_t beatsPerMinute) {
    return kMicrosecondsPerMinute / beatsPerMinute;
}

}  // namespace

MidiScore makeHanamiTheme() {
    MidiScore theme = score(4, {{0, quarterAt(80)}});
    std::vector<ScoreNote> piano, strings;
    breakChords(piano, {{D3, false}, {B2, true}, {G2, false}, {A2, false}}, kEighthsPerBar, 58);
    hold(strings,
         {{0, 8, {D4, Fs4, A4}}, {8, 8, {D4, Fs4, B4}}, {16, 8, {D4, G4, B4}}, {24, 8, {Cs4, E4, A4}}}, 50);
    const std::vector<Written> flute = {
        {0, 2, A5},   {2, 1, Fs5}, {3, 1, E5},  {4, 2, D5},  {6, 2, E5},   // D
        {8, 3, Fs5},  {11, 1, A5}, {12, 2, B5}, {14, 2, A5},               // B minor
        {16, 2, B5},  {18, 2, D6}, {20, 1, B5}, {21, 1, A5}, {22, 2, G5},  // G
        {24, 2, Fs5}, {26, 3, E5},                                         // A
    };
    theme.parts = {{kFluteChannel, kFluteProgram, 96, 72, tune(flute, 84)},
                   {kPianoChannel, kPianoProgram, 84, 52, piano},
                   {kStringsChannel, kStringsProgram, 72, 80, strings}};
    return theme;
}

MidiScore makeHanamiEnding() {
    MidiScore ending = score(2, {{0, quarterAt(96)}, {kTicksPerBar, quarterAt(80)}});
    std::vector<ScoreNote> piano, strings;
    breakChords(piano, {{G2, false}, {A2, false}}, kEighthsPerBar / 2, 58);
    hold(piano, {{8, 6, {D3, A3, D4, Fs4}}}, 62);
    hold(strings, {{0, 4, {D4, G4, B4}}, {4, 4, {Cs4, E4, A4}}, {8, 6, {D4, Fs4, A4}}}, 50);
    const std::vector<Written> flute = {{0, 2, B5}, {2, 1, A5}, {3, 1, G5},
                                        {4, 2, A5}, {6, 2, E5}, {8, 6, D5}};
    ending.parts = {{kFluteChannel, kFluteProgram, 96, 72, tune(flute, 80)},
                    {kPianoChannel, kPianoProgram, 84, 52, piano},
                    {kStringsChannel, kStringsProgram, 72, 80, strings}};
    return ending;
}

// What the sequencer plays its pieces on: a General MIDI synthesizer rendering stereo frames at the
// device's rate, in full scale ±1 and beyond (the limiter after it keeps them in). Once the sequencer
// uses it, only the audio thread calls it.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/formats/midi_file.h"

class MidiSynth {
public:
    virtual ~MidiSynth() = default;

    // A channel message, or a system exclusive one whose bytes lie in sysex.
    virtual void send(const MidiEvent& event, const std::vector<uint8_t>& sysex) = 0;
    // Every note of every channel released, as at the end of a piece: their tails ring on.
    virtual void releaseNotes() = 0;
    // Every sound of every channel cut at once, as when a piece is stopped.
    virtual void silence() = 0;
    virtual void render(float* stereo, int frames) = 0;
};

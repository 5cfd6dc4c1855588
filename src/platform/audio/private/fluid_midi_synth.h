// The General MIDI synthesizer of the real sound device: FluidSynth playing a sound font.
#pragma once
#include <memory>

#include "platform/audio/private/midi_synth.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

// The sound font the player comes with, by its own name: the distribution's default-GM.sf2 link moves
// to whichever General MIDI font was installed last.
extern const char kDefaultSoundFont[];

class FluidMidiSynth : public MidiSynth {
public:
    // The synthesizer with the sound font loaded; null when the font cannot be loaded.
    static std::unique_ptr<FluidMidiSynth> load(const char* soundFont, int rate);
    ~FluidMidiSynth() override;
    FluidMidiSynth(const FluidMidiSynth&) = delete;
    FluidMidiSynth& operator=(const FluidMidiSynth&) = delete;

    void send(const MidiEvent& event, const std::vector<uint8_t>& sysex) override;
    void releaseNotes() override;
    void silence() override;
    void render(float* stereo, int frames) override;

private:
    FluidMidiSynth(_fluid_hashtable_t* settings, _fluid_synth_t* synth)
        : settings_(settings), synth_(synth) {}

    _fluid_hashtable_t* settings_;
    _fluid_synth_t* synth_;
};

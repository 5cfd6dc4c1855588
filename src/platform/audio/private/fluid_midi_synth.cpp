#include "platform/audio/private/fluid_midi_synth.h"

#include <fluidsynth.h>

const char kDefaultSoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

namespace {

const int kAllChannels = -1;
const int kChannelBits = 0x0F;
const int kDataBits = 7;

enum : uint8_t {
    kNoteOff = 0x80,
    kNoteOn = 0x90,
    kKeyPressure = 0xA0,
    kController = 0xB0,
    kProgram = 0xC0,
    kChannelPressure = 0xD0,
    kPitchBend = 0xE0,
    kSystemExclusive = 0xF0,
};
// The synthesizers these pieces were written for, the sound cards' wavetables and Windows' own
// software synthesizer, had 24 to 64 voices, so no piece asks for more; the bound also keeps the audio
// thread's work for one block small on a busy machine.
const int kVoices = 64;
// The level of the General MIDI synthesizers the pieces were written for: a melody and a bass at the
// usual volume and velocity (100) peak near −12 dBFS, as loud as the games' own sounds, where
// FluidSynth's default (0.2) left them at −20. A busy arrangement goes beyond full scale, and the
// limiter after the synthesizer brings it back.
const double kGain = 0.5;

// FluidSynth reports on stdout and stderr what we report ourselves, once, or not at all.
void silenceLog() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
}

// Only the audio thread calls the synthesizer, so its locks and worker threads would buy nothing.
// Reverb and chorus stay on: the pieces set their depths (controllers 91 and 93) for the General MIDI
// synthesizers of the time, which had both, and sound dry without them.
fluid_settings_t* settingsFor(int rate) {
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_settings_setint(settings, "synth.polyphony", kVoices);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.chorus.active", 1);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    // Locking the font's samples into memory needs a privilege a player does not have.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    return settings;
}

}  // namespace

std::unique_ptr<FluidMidiSynth> FluidMidiSynth::load(const char* soundFont, int rate) {
    silenceLog();
    fluid_settings_t* settings = settingsFor(rate);
    fluid_synth_t* synth = settings ? new_fluid_synth(settings) : nullptr;
    if (!synth || fluid_synth_sfload(synth, soundFont, 1) == FLUID_FAILED) {
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
        return nullptr;
    }
    return std::unique_ptr<FluidMidiSynth>(new FluidMidiSynth(settings, synth));
}

FluidMidiSynth::~FluidMidiSynth() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void FluidMidiSynth::send(const MidiEvent& event, const std::vector<uint8_t>& sysex) {
    int channel = event.status & kChannelBits;
    switch (event.status & ~kChannelBits) {
        case kNoteOff:
            fluid_synth_noteoff(synth_, channel, event.data1);
            break;
        case kNoteOn:
            fluid_synth_noteon(synth_, channel, event.data1, event.data2);
            break;
        case kKeyPressure:
            fluid_synth_key_pressure(synth_, channel, event.data1, event.data2);
            break;
        case kController:
            fluid_synth_cc(synth_, channel, event.data1, event.data2);
            break;
        case kProgram:
            fluid_synth_program_change(synth_, channel, event.data1);
            break;
        case kChannelPressure:
            fluid_synth_channel_pressure(synth_, channel, event.data1);
            break;
        case kPitchBend:
            fluid_synth_pitch_bend(synth_, channel, event.data1 | event.data2 << kDataBits);
            break;
        default:
            if (event.status == kSystemExclusive &&
                size_t{event.sysexOffset} + event.sysexSize <= sysex.size()) {
                fluid_synth_sysex(synth_, reinterpret_cast<const char*>(sysex.data() + event.sysexOffset),
                                  static_cast<int>(event.sysexSize), nullptr, nullptr, nullptr, 0);
            }
            break;
    }
}

void FluidMidiSynth::releaseNotes() {
    fluid_synth_all_notes_off(synth_, kAllChannels);
}

void FluidMidiSynth::silence() {
    fluid_synth_all_sounds_off(synth_, kAllChannels);
}

void FluidMidiSynth::render(float* stereo, int frames) {
    fluid_synth_write_float(synth_, frames, stereo, 0, 2, stereo, 1, 2);
}

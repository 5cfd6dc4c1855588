// The sound device as the engine sees it: the wave channels of a mixer, and a MIDI sequencer that plays
// parsed pieces under names. The real one plays through SDL_mixer and FluidSynth; the headless one
// keeps the same state and timing on the virtual clock without making a sound.
#pragma once
#include <cstdint>
#include <string>

#include "platform/formats/midi_file.h"
#include "platform/formats/wave_file.h"

// Channels 0–10: the engine's ten, and room for the eleventh that scripts may name.
const int kWaveChannels = 11;
// DirectSound's pan: hundredths of a decibel of attenuation on the far side.
const int32_t kLargestPan = 10000;
// Whether a channel of a device that holds nothing else may take the wave: what --check can tell of a
// sound without playing. The channels' share of all they may hold together depends on the game's way.
bool deviceTakesWave(const WaveFile& wave);

class SoundDevice {
public:
    virtual ~SoundDevice() = default;

    // Opens the audio device; false when there is none, and the wave channels then stay silent.
    virtual bool openAudio() = 0;
    // The levels of the music and of the wave sounds from now on (1 in full, 0 silent).
    virtual void setGains(double music, double wave) = 0;

    // A channel's sample data, converted to the device's format; false when the device refuses it (a
    // layout it cannot convert, a size no buffer has, more than the channels may hold).
    virtual bool loadWave(int channel, const WaveFile& wave) = 0;
    // The channel's pan for its next plays; a pan beyond ±kLargestPan is refused and the old one kept.
    virtual void setWavePan(int channel, int32_t pan) = 0;
    // Plays the channel's data from its start, once or in a loop, at the channel's pan.
    virtual void playWave(int channel, bool loop) = 0;
    virtual void stopWave(int channel) = 0;
    virtual void releaseWave(int channel) = 0;

    // The sequencer. A piece loaded under a name replaces what the name held. Playing with notify
    // reports the end through the window's queue as MM_MCINOTIFY (MCI_NOTIFY_SUCCESSFUL) and starts
    // the piece again from its beginning at once, so a loop has no gap; the rewind that the owner
    // asks for next then finds it playing from its start already. A piece stopped, unloaded or played
    // again never reports the end of its earlier play.
    virtual void loadPiece(const std::string& name, MidiPiece&& piece) = 0;
    virtual void unloadPiece(const std::string& name) = 0;
    virtual void playPiece(const std::string& name, bool notify) = 0;
    virtual void rewindPiece(const std::string& name) = 0;
    virtual void stopPiece(const std::string& name) = 0;
};

// Where a channel of pan p sounds: the far side attenuated by |p| hundredths of a decibel, the near
// side at full gain.
void panGains(int32_t pan, double& left, double& right);

// The sound device where nothing is heard: a headless run, or a machine without an audio device. No
// sound is made, but the channels keep what they hold, and the real device's sequencer plays the
// pieces without a synthesizer on the clock the device is given, a frame a millisecond: looping, ends,
// stops and rewinds happen exactly as readers hear them.
#pragma once
#include <optional>
#include <string>

#include "platform/audio/private/midi_sequencer.h"
#include "platform/audio/private/wave_budget.h"
#include "platform/audio/sound_device.h"

class SilentSoundDevice : public SoundDevice {
public:
    // waveGain: the level of the wave sounds (1 in full), shown in the trace as a device would play them.
    SilentSoundDevice(const uint32_t& clock, double waveGain);

    bool openAudio() override { return true; }
    void setGains(double, double wave) override { waveGain_ = wave; }
    bool loadWave(int channel, const WaveFile& wave) override;
    void setWavePan(int channel, int32_t pan) override;
    void playWave(int channel, bool loop) override;
    void stopWave(int channel) override;
    void releaseWave(int channel) override;

    void loadPiece(const std::string& name, MidiPiece&& piece) override;
    void unloadPiece(const std::string& name) override;
    void playPiece(const std::string& name, bool notify) override;
    void rewindPiece(const std::string& name) override;
    void stopPiece(const std::string& name) override;

    // When the playing piece reaches its end; false when none plays.
    bool nextEnd(uint32_t& at) const;
    // Ends what is due by now; true when the end must be reported (the piece plays with notify, and
    // has started again from its beginning).
    bool takeEnd();

private:
    struct Channel {
        bool loaded = false;
        uint32_t frames = 0;
        int32_t pan = 0;
    };
    // Brings the sequencer up to the clock, stopping at the first end on the way; that end's play request.
    std::optional<uint32_t> catchUp();

    const uint32_t& clock_;
    double waveGain_;
    Channel channels_[kWaveChannels];
    WaveBudget budget_;
    MidiSequencer sequencer_;
    uint32_t sequencerTime_;  // the clock the sequencer has come to
};

// The sound device where nothing is heard: a headless run, or a machine without an audio device. No
// sound is made, but the channels keep what they hold and a piece takes its own length on the clock
// the device is given, so that looping and ends happen as with a device.
#pragma once
#include <map>
#include <string>

#include "platform/audio/private/wave_budget.h"
#include "platform/audio/sound_device.h"

class SilentSoundDevice : public SoundDevice {
public:
    // waveGain: the level of the wave sounds (1 in full), shown in the trace as a device would play them.
    SilentSoundDevice(const uint32_t& clock, double waveGain) : clock_(clock), waveGain_(waveGain) {}

    bool openAudio() override { return true; }
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
    struct Piece {
        uint32_t lengthMs = 0;
        uint32_t playedMs = 0;  // the position when it last started playing
    };

    bool reached(uint32_t time) const { return static_cast<int32_t>(clock_ - time) >= 0; }
    uint32_t position() const;

    const uint32_t& clock_;
    const double waveGain_;
    Channel channels_[kWaveChannels];
    WaveBudget budget_;
    std::map<std::string, Piece> pieces_;
    std::string playing_;  // empty when no piece plays
    uint32_t startedAt_ = 0;
    bool notify_ = false;
    bool restartedAtEnd_ = false;
};

// The sound device on the machine's audio output. SDL_mixer's channels play the waves; the sequencer,
// hooked in as SDL_mixer's music, plays the pieces on FluidSynth from within the audio thread, and
// posts each end of a piece as an SDL event that the window's pump takes.
#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/private/midi_sequencer.h"
#include "platform/audio/private/music_limiter.h"
#include "platform/audio/private/wave_budget.h"
#include "platform/audio/sound_device.h"

struct Mix_Chunk;

class SdlSoundDevice : public SoundDevice {
public:
    // soundFont: the General MIDI sound font, or null for the one the player comes with. The gains
    // scale the music and the wave sounds (1 in full, 0 silent).
    SdlSoundDevice(const char* soundFont, double musicGain, double waveGain);
    // Unhooks the music, halts the channels and closes the audio before anything they use is freed.
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool openAudio() override;
    void setGains(double music, double wave) override;
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

    // The SDL event type of the ends the audio thread posts, with the generation of their play in
    // their code.
    uint32_t endEventType() const { return endEventType_; }
    // Takes such an end; true when the owner is to be told (a current play with notify).
    bool takeEnd(int32_t generation);

private:
    struct Channel {
        Mix_Chunk* chunk = nullptr;
        std::vector<uint8_t> samples;  // in the device's format; the chunk points into them
        int32_t pan = 0;
    };

    // The music is rendered this many frames at a time (5.8 ms).
    static constexpr int kMusicStepFrames = 256;

    static void mixMusic(void* device, uint8_t* stream, int bytes);
    void postEnd(uint32_t generation);
    void prepareSynth();
    void freeChannel(Channel& channel);

    std::string soundFont_;
    std::atomic<float> musicGain_;  // the audio thread reads it at every step
    double waveGain_;
    bool open_ = false;
    uint32_t endEventType_ = 0;
    Channel channels_[kWaveChannels];
    WaveBudget budget_;
    MidiSequencer sequencer_;
    MusicLimiter limiter_;
    float music_[2 * kMusicStepFrames] = {};
    bool synthFailed_ = false;
    bool sequencerHasPieces_ = false;
    std::unique_ptr<MidiSynth> synth_;
};

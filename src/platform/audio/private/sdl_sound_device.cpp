#include "platform/audio/private/sdl_sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/audio/private/fluid_midi_synth.h"
#include "platform/audio/private/sound_trace.h"
#include "platform/audio/private/wave_conversion.h"

namespace {

const int kRate = kDeviceRate;
const int kStereo = kDeviceChannels;
const int kBytesPerFrame = kDeviceFrameBytes;
// 23 ms: a wave starts at most that long after its command, close enough to what the picture shows,
// and the audio thread wakes 43 times a second with room to render a busy block of music on a shared
// machine without running dry. The end of a piece does not depend on it: it falls on its own sample.
const int kBufferFrames = 1024;
const int kFullPanByte = 255;
const float kFullScale = 32767;
const int kLoopForever = -1;
const int kAllChannels = -1;

// alsa-lib describes a machine without a sound card on stderr, eight lines of its own; the player says
// nothing there and plays in silence, as without any audio device.
class QuietStderr {
public:
    QuietStderr() : saved_(dup(STDERR_FILENO)) {
        std::fflush(stderr);
        int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere < 0) return;
        dup2(nowhere, STDERR_FILENO);
        close(nowhere);
    }
    ~QuietStderr() {
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};

uint8_t panByte(double gain) {
    return static_cast<uint8_t>(std::lround(gain * kFullPanByte));
}

int16_t sample(float value) {
    return static_cast<int16_t>(std::lrint(std::clamp(value * kFullScale, -kFullScale - 1, kFullScale)));
}

}  // namespace

SdlSoundDevice::SdlSoundDevice(const char* soundFont, double musicGain, double waveGain)
    : soundFont_(soundFont ? soundFont : kDefaultSoundFont),
      musicGain_(static_cast<float>(musicGain)),
      waveGain_(waveGain),
      sequencer_(kRate),
      limiter_(kRate) {}

SdlSoundDevice::~SdlSoundDevice() {
    if (open_) {
        Mix_HookMusic(nullptr, nullptr);
        Mix_HaltChannel(kAllChannels);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    for (Channel& channel : channels_)
        freeChannel(channel);
    synth_.reset();
}

// The device's format is fixed (no changes allowed): SDL converts for the hardware if it must, and the
// sequencer and the converted waves always see 44100 Hz, 16 bits, stereo.
bool SdlSoundDevice::openAudio() {
    if (open_) return true;
    {
        QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kStereo, kBufferFrames, nullptr, 0) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
    }
    open_ = true;
    Mix_AllocateChannels(kWaveChannels);
    // The volume scales both sides of a channel alike, after its panning, so a pan keeps its exact
    // proportion at every volume. A channel keeps its volume through stops and plays.
    setGains(musicGain_, waveGain_);
    endEventType_ = SDL_RegisterEvents(1);
    Mix_HookMusic(mixMusic, this);
    return true;
}

// A volume raised from nothing loads the sound font then: the pieces go on from where they are.
void SdlSoundDevice::setGains(double music, double wave) {
    musicGain_ = static_cast<float>(music);
    waveGain_ = wave;
    if (open_) Mix_Volume(kAllChannels, static_cast<int>(std::lround(waveGain_ * MIX_MAX_VOLUME)));
    if (music > 0 && sequencerHasPieces_) prepareSynth();
}

// The audio thread, with SDL's device lock held; the sequencer takes its own lock inside. The music is
// limited at its own level, then scaled by the reader's volume, so that a volume scales it exactly and
// it keeps its sound at every volume.
void SdlSoundDevice::mixMusic(void* device, uint8_t* stream, int bytes) {
    auto* self = static_cast<SdlSoundDevice*>(device);
    auto* out = reinterpret_cast<int16_t*>(stream);
    const float gain = self->musicGain_;
    for (int done = 0, frames = bytes / kBytesPerFrame; done < frames;) {
        int step = std::min(frames - done, kMusicStepFrames);
        std::optional<uint32_t> ended = self->sequencer_.render(self->music_, step);
        self->limiter_.limit(self->music_, step);
        for (int i = 0; i < 2 * step; ++i)
            out[2 * done + i] = sample(self->music_[i] * gain);
        if (ended) self->postEnd(*ended);
        done += step;
    }
}

void SdlSoundDevice::postEnd(uint32_t generation) {
    if (endEventType_ == static_cast<uint32_t>(-1)) return;
    SDL_Event event = {};
    event.type = endEventType_;
    event.user.code = static_cast<int32_t>(generation);
    SDL_PushEvent(&event);
}

bool SdlSoundDevice::loadWave(int channel, const WaveFile& wave) {
    std::vector<uint8_t> samples;
    if (!budget_.admits(channel, wave) || !convertToDevice(wave, samples)) return false;
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(samples.data(), static_cast<uint32_t>(samples.size()));
    if (!chunk) return false;
    Channel& held = channels_[channel];
    freeChannel(held);
    held = {chunk, std::move(samples), 0};
    budget_.hold(channel, wave);
    traceWaveLoad(channel, wave);
    return true;
}

void SdlSoundDevice::setWavePan(int channel, int32_t pan) {
    if (pan >= -kLargestPan && pan <= kLargestPan) channels_[channel].pan = pan;
}

// SDL_mixer forgets a channel's panning whenever the channel stops, and a play on a playing channel
// stops it first: the channel is halted, panned, then played, every time.
void SdlSoundDevice::playWave(int channel, bool loop) {
    const Channel& held = channels_[channel];
    if (!held.chunk) return;
    double left = 1, right = 1;
    panGains(held.pan, left, right);
    Mix_HaltChannel(channel);
    Mix_SetPanning(channel, panByte(left), panByte(right));
    Mix_PlayChannel(channel, held.chunk, loop ? kLoopForever : 0);
    traceWavePlay(channel, loop, left * waveGain_, right * waveGain_);
}

void SdlSoundDevice::stopWave(int channel) {
    if (!channels_[channel].chunk) return;
    Mix_HaltChannel(channel);
    traceWaveStop(channel);
}

void SdlSoundDevice::releaseWave(int channel) {
    freeChannel(channels_[channel]);
    budget_.release(channel);
}

// Freeing a chunk halts the channels that play it.
void SdlSoundDevice::freeChannel(Channel& channel) {
    if (channel.chunk) Mix_FreeChunk(channel.chunk);
    channel.chunk = nullptr;
    channel.samples.clear();
}

void SdlSoundDevice::loadPiece(const std::string& name, MidiPiece&& piece) {
    sequencerHasPieces_ = true;
    prepareSynth();
    sequencer_.load(name, std::move(piece));
}

// The sound font takes a moment to load: it is loaded when the first piece is, so that start-up stays
// fast and a game without music never pays for it. Without it the music keeps its time in silence, and
// that is all music at volume 0 needs: it loads no font at all.
void SdlSoundDevice::prepareSynth() {
    if (synth_ || synthFailed_ || musicGain_ <= 0) return;
    synth_ = FluidMidiSynth::load(soundFont_.c_str(), kRate);
    synthFailed_ = !synth_;
    if (!synth_)
        std::fprintf(stderr, "zebora: cannot load the sound font %s; the music plays silently\n",
                     soundFont_.c_str());
    sequencer_.useSynth(synth_.get());
}

void SdlSoundDevice::unloadPiece(const std::string& name) {
    sequencer_.unload(name);
}

void SdlSoundDevice::playPiece(const std::string& name, bool notify) {
    sequencer_.play(name, notify);
}

void SdlSoundDevice::rewindPiece(const std::string& name) {
    sequencer_.rewind(name);
}

void SdlSoundDevice::stopPiece(const std::string& name) {
    sequencer_.stop(name);
}

bool SdlSoundDevice::takeEnd(int32_t generation) {
    std::string name;
    bool startsAgain = false;
    if (!sequencer_.takeEnd(static_cast<uint32_t>(generation), name, startsAgain)) return false;
    tracePieceEnd(name, startsAgain);
    return startsAgain;
}

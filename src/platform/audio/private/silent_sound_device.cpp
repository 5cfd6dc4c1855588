#include "platform/audio/private/silent_sound_device.h"

#include <algorithm>

#include "platform/audio/private/sound_trace.h"

namespace {

// The sequencer counts milliseconds: the clock's unit is its frame.
const int kFramesPerSecond = 1000;

}  // namespace

SilentSoundDevice::SilentSoundDevice(const uint32_t& clock, double waveGain)
    : clock_(clock), waveGain_(waveGain), sequencer_(kFramesPerSecond), sequencerTime_(clock) {}

// A device's own rule, so that what a device would refuse is refused here too; nothing is converted,
// since nothing is heard.
bool SilentSoundDevice::loadWave(int channel, const WaveFile& wave) {
    if (!budget_.admits(channel, wave)) return false;
    budget_.hold(channel, wave);
    channels_[channel] = {true, wave.frames(), 0};
    traceWaveLoad(channel, wave);
    return true;
}

void SilentSoundDevice::setWavePan(int channel, int32_t pan) {
    if (pan >= -kLargestPan && pan <= kLargestPan) channels_[channel].pan = pan;
}

void SilentSoundDevice::playWave(int channel, bool loop) {
    if (!channels_[channel].loaded) return;
    double left = 1, right = 1;
    panGains(channels_[channel].pan, left, right);
    traceWavePlay(channel, loop, left * waveGain_, right * waveGain_);
}

void SilentSoundDevice::stopWave(int channel) {
    if (channels_[channel].loaded) traceWaveStop(channel);
}

void SilentSoundDevice::releaseWave(int channel) {
    channels_[channel].loaded = false;
    budget_.release(channel);
}

void SilentSoundDevice::loadPiece(const std::string& name, MidiPiece&& piece) {
    catchUp();
    sequencer_.load(name, std::move(piece));
}

void SilentSoundDevice::unloadPiece(const std::string& name) {
    catchUp();
    sequencer_.unload(name);
}

void SilentSoundDevice::playPiece(const std::string& name, bool notify) {
    catchUp();
    sequencer_.play(name, notify);
}

void SilentSoundDevice::rewindPiece(const std::string& name) {
    catchUp();
    sequencer_.rewind(name);
}

void SilentSoundDevice::stopPiece(const std::string& name) {
    catchUp();
    sequencer_.stop(name);
}

// A step never passes the end of the playing piece, so the end falls on its own millisecond; an empty
// piece still lets a millisecond pass a step.
std::optional<uint32_t> SilentSoundDevice::catchUp() {
    while (static_cast<int32_t>(clock_ - sequencerTime_) > 0) {
        int64_t frames = static_cast<int32_t>(clock_ - sequencerTime_);
        if (std::optional<int64_t> toEnd = sequencer_.framesToEnd())
            frames = std::clamp<int64_t>(*toEnd, 1, frames);
        std::optional<uint32_t> ended = sequencer_.render(nullptr, static_cast<int>(frames));
        sequencerTime_ += static_cast<uint32_t>(frames);
        if (ended) return ended;
    }
    return std::nullopt;
}

bool SilentSoundDevice::nextEnd(uint32_t& at) const {
    std::optional<int64_t> toEnd = sequencer_.framesToEnd();
    if (!toEnd) return false;
    at = sequencerTime_ + static_cast<uint32_t>(*toEnd);
    return true;
}

bool SilentSoundDevice::takeEnd() {
    std::optional<uint32_t> ended = catchUp();
    std::string name;
    bool startsAgain = false;
    if (!ended || !sequencer_.takeEnd(*ended, name, startsAgain)) return false;
    tracePieceEnd(name, startsAgain);
    return startsAgain;
}

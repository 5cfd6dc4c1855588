#include "platform/audio/private/silent_sound_device.h"

#include "platform/audio/private/sound_trace.h"

namespace {

const int64_t kNanosecondsPerMs = 1000000;

// A piece lasts at least a millisecond, so that an empty one cannot end again and again at one time.
uint32_t lengthInMs(int64_t lengthNs) {
    int64_t ms = (lengthNs + kNanosecondsPerMs / 2) / kNanosecondsPerMs;
    return ms < 1 ? 1 : static_cast<uint32_t>(ms);
}

}  // namespace

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
    unloadPiece(name);
    pieces_[name] = {lengthInMs(piece.lengthNs), 0};
}

void SilentSoundDevice::unloadPiece(const std::string& name) {
    if (playing_ == name) stopPiece(name);
    pieces_.erase(name);
}

uint32_t SilentSoundDevice::position() const {
    return pieces_.at(playing_).playedMs + (clock_ - startedAt_);
}

void SilentSoundDevice::playPiece(const std::string& name, bool notify) {
    if (!pieces_.count(name)) return;
    notify_ = notify;
    if (playing_ == name) return;
    if (!playing_.empty()) stopPiece(playing_);
    playing_ = name;
    startedAt_ = clock_;
}

// Right after an end the piece plays from its start already; the owner's rewind then changes nothing.
void SilentSoundDevice::rewindPiece(const std::string& name) {
    auto piece = pieces_.find(name);
    if (piece == pieces_.end()) return;
    if (playing_ == name && restartedAtEnd_) {
        restartedAtEnd_ = false;
        return;
    }
    piece->second.playedMs = 0;
    if (playing_ == name) startedAt_ = clock_;
}

void SilentSoundDevice::stopPiece(const std::string& name) {
    if (playing_ != name) return;
    pieces_[name].playedMs = position();
    playing_.clear();
    restartedAtEnd_ = false;
}

bool SilentSoundDevice::nextEnd(uint32_t& at) const {
    if (playing_.empty()) return false;
    const Piece& piece = pieces_.at(playing_);
    at = startedAt_ + (piece.lengthMs > piece.playedMs ? piece.lengthMs - piece.playedMs : 0);
    return true;
}

bool SilentSoundDevice::takeEnd() {
    uint32_t end = 0;
    if (!nextEnd(end) || !reached(end)) return false;
    pieces_.at(playing_).playedMs = 0;
    tracePieceEnd(playing_, notify_);
    if (!notify_) {
        playing_.clear();
        return false;
    }
    startedAt_ = end;
    restartedAtEnd_ = true;
    return true;
}

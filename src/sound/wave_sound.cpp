#include "sound/wave_sound.h"

#include <cstdio>
#include <cstring>

#include "platform/files/text_encoding.h"
#include "platform/window_system.h"
#include "shell/shell.h"

WaveSound g_sound;

namespace {

const int32_t kPanStep = 200;
const uint8_t kLoopFlag = 1;
// A message box without a caption of its own shows the system's.
const char kDefaultCaption[] = "Error";

SoundDevice& device() {
    return g_windowSystem->soundDevice();
}

}  // namespace

void WaveSound::open() {
    available = device().openAudio() ? 1 : 0;
}

bool WaveSound::loadWave(int channel, const char* fileName) {
    WaveFile wave;
    const char* failure = readWaveFile(fileName, wave);
    if (!failure && !device().loadWave(channel, wave)) failure = "Could not Create Sound Buffer.";
    if (failure) {
        showMessage(kDefaultCaption, failure);
        return false;
    }
    channels[channel].hasBuffer = true;
    return true;
}

void WaveSound::setChannel(const char* fileName, int channel, uint8_t playFlags, int8_t pan) {
    if (!available) return;
    SoundChannel& target = channels[channel];
    releaseBuffer(channel);
    if (std::strcmp(fileName, "clear") == 0) {
        target.fileName[0] = '\0';
        target.playFlags = 0;
        target.pan = 0;
        return;
    }
    if (!loadWave(channel, fileName)) fatalErrorWith(sjis(kUnreadableWaveMessage), fileName);
    std::snprintf(target.fileName, sizeof target.fileName, "%s", fileName);
    target.playFlags = playFlags;
    target.pan = pan;
}

void WaveSound::play(int channel) {
    if (!available || !channels[channel].hasBuffer) return;
    device().setWavePan(channel, channels[channel].pan * kPanStep);
    device().playWave(channel, (channels[channel].playFlags & kLoopFlag) != 0);
}

void WaveSound::releaseBuffer(int channel) {
    if (!channels[channel].hasBuffer) return;
    device().stopWave(channel);
    device().releaseWave(channel);
    channels[channel].hasBuffer = false;
}

// The bookmark knows nothing of the eleventh channel: it falls silent and empty, as in a game that never
// used it, so that no sound of the abandoned story goes on over the loaded one.
void WaveSound::restartLooping() {
    for (int channel = kSavedSoundChannels; channel < kWaveChannels; ++channel) {
        releaseBuffer(channel);
        channels[channel] = {};
    }
    for (int channel = 0; channel < kSavedSoundChannels; ++channel) {
        releaseBuffer(channel);
        if (channels[channel].playFlags == 0 || !available) continue;
        if (!loadWave(channel, channels[channel].fileName)) {
            fatalErrorWith(sjis(kUnreadableWaveMessage), channels[channel].fileName);
        }
        play(channel);
    }
}

void WaveSound::silenceAll() {
    for (int channel = 0; channel < kWaveChannels; ++channel) {
        releaseBuffer(channel);
        channels[channel] = {};
    }
}

void WaveSound::release() {
    for (int channel = 0; channel < kWaveChannels; ++channel)
        releaseBuffer(channel);
}

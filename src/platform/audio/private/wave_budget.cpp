#include "platform/audio/private/wave_budget.h"

namespace {

// A DirectSound buffer's own bounds, in the bytes of the file.
const size_t kSmallestWaveBytes = 4;
const size_t kLargestWaveBytes = 0x0FFFFFFF;

}  // namespace

bool WaveBudget::admits(int channel, const WaveFile& wave) const {
    if (wave.data.size() < kSmallestWaveBytes || wave.data.size() > kLargestWaveBytes) return false;
    uint64_t bytes = convertedBytes(wave);
    uint64_t others = 0;
    for (int other = 0; other < kWaveChannels; ++other)
        others += other == channel ? 0 : held_[other];
    return bytes <= kChannelWaveBytes && others + bytes <= kAllChannelsWaveBytes && convertible(wave);
}

void WaveBudget::hold(int channel, const WaveFile& wave) {
    held_[channel] = convertedBytes(wave);
}

void WaveBudget::release(int channel) {
    held_[channel] = 0;
}

bool deviceTakesWave(const WaveFile& wave) {
    return WaveBudget().admits(0, wave);
}

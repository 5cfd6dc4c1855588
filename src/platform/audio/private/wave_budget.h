// What the wave channels of a sound device may hold, the one rule by which the real device and the
// headless one take a wave or refuse it.
#pragma once
#include <cstdint>

#include "platform/audio/private/wave_conversion.h"
#include "platform/audio/sound_device.h"

// Converted for the device a second of sound takes 176,400 bytes, whatever its file's rate: a channel
// holds up to ten minutes (106 MB), all channels together half an hour (318 MB). A game's effects,
// voices and ambient loops of a few minutes stay far below; a small file of a low rate that claims
// hours does not load.
const uint64_t kChannelWaveBytes = 10 * 60 * uint64_t{kDeviceRate} * kDeviceFrameBytes;
const uint64_t kAllChannelsWaveBytes = 3 * kChannelWaveBytes;

class WaveBudget {
public:
    // Whether the channel may take the wave in place of what it holds: a layout the converter takes,
    // sample data of a size a device buffer can have, and, converted, no more than a channel may hold
    // nor, with what the other channels hold, more than all may.
    bool admits(int channel, const WaveFile& wave) const;
    void hold(int channel, const WaveFile& wave);
    void release(int channel);

private:
    uint64_t held_[kWaveChannels] = {};
};

// Wave data converted to the device's format: 44100 Hz, 16 bits, stereo.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/formats/wave_file.h"

const int kDeviceRate = 44100;
const int kDeviceChannels = 2;
const int kDeviceFrameBytes = kDeviceChannels * 2;

// Whether the converter takes the wave's layout: PCM of 1 to 8 channels, each sample taking its bits
// (1 to 32) rounded up to whole bytes, at a rate the resampler takes.
bool convertible(const WaveFile& wave);
// The bytes the wave takes converted: as long as its whole frames last in the file, to the next frame
// of the device.
uint64_t convertedBytes(const WaveFile& wave);
// Exactly convertedBytes(wave) bytes of sound for a wave the converter takes; false when it fails.
bool convertToDevice(const WaveFile& wave, std::vector<uint8_t>& out);

// Wave data converted to the device's format: 44100 Hz, 16 bits, stereo.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/wave_file.h"

const int kDeviceRate = 44100;
const int kDeviceChannels = 2;
const int kDeviceFrameBytes = kDeviceChannels * 2;

// False for data the converter cannot take (the device then refuses the buffer).
bool convertToDevice(const WaveFile& wave, std::vector<uint8_t>& out);

// Wave files: the walk through the RIFF chunks, then the conversion to the device's format.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "platform/private/wave_conversion.h"
#include "platform/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveFile wave;
    if (parseWaveFile(data, size, wave) != nullptr) return 0;
    std::vector<uint8_t> converted;
    if (convertToDevice(wave, converted) && converted.size() % kDeviceFrameBytes != 0) __builtin_trap();
    return 0;
}

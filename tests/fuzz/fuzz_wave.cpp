// Wave files: the walk through the RIFF chunks, then, for what a device takes, the conversion to the
// device's format, which comes out exactly as long as the rule that took it counted.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "platform/audio/private/wave_budget.h"
#include "platform/audio/private/wave_conversion.h"
#include "platform/formats/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveFile wave;
    if (parseWaveFile(data, size, wave) != nullptr || !WaveBudget().admits(0, wave)) return 0;
    std::vector<uint8_t> converted;
    if (convertToDevice(wave, converted) && converted.size() != convertedBytes(wave)) __builtin_trap();
    return 0;
}

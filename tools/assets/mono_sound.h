// A mono sound as samples between -1 and 1, written as a PCM wave file of 8 or 16 bits a sample.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MonoSound {
    uint32_t rate;
    uint16_t bits;
    std::vector<double> samples;
    // The bytes of the wave file: a 16-byte format chunk and the data chunk, padded to an even size.
    std::string waveBytes() const;
};

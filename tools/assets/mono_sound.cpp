#include "mono_sound.h"

#include <algorithm>
#include <cmath>

#include "platform/formats/little_endian.h"
#include "platform/formats/wave_file.h"

namespace {

const uint16_t kChannels = 1;
const uint32_t kFormatChunkBytes = 16;
const uint32_t kHeaderBytes = 4 + 8 + kFormatChunkBytes + 8;  // form type, format chunk, data header

// A sample scaled to the largest value of its size; 8-bit samples are unsigned around 128.
void writeSample(LittleEndianWriter& write, uint16_t bits, double sample) {
    double clipped = std::clamp(sample, -1.0, 1.0);
    if (bits == 8) {
        write.u8(static_cast<uint8_t>(128 + std::lround(clipped * 127)));
    } else {
        write.u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767))));
    }
}

}  // namespace

std::string MonoSound::waveBytes() const {
    uint16_t blockAlign = bits / 8;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * blockAlign;
    uint32_t padding = dataBytes & 1;
    std::string out;
    LittleEndianWriter write(out);
    write.bytes("RIFF", 4);
    write.u32(kHeaderBytes + dataBytes + padding);
    write.bytes("WAVEfmt ", 8);
    write.u32(kFormatChunkBytes);
    write.u16(kWaveFormatPcm);
    write.u16(kChannels);
    write.u32(rate);
    write.u32(rate * blockAlign);
    write.u16(blockAlign);
    write.u16(bits);
    write.bytes("data", 4);
    write.u32(dataBytes);
    for (double sample : samples)
        writeSample(write, bits, sample);
    if (padding) write.u8(0);
    return out;
}

#include "platform/private/wave_conversion.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

const int kMaxSampleBytes = 4;
// SDL has no format of three bytes a sample: such a sample is widened to four, its value in the high
// bytes, as one of 32 bits.
const int kPackedSampleBytes = 3;
// The samples are brought to 16-bit stereo this many frames at a time.
const size_t kBlockFrames = 16384;

int sampleBytes(const WaveFile& wave) {
    return (wave.bits + 7) / 8;
}

int wideSampleBytes(const WaveFile& wave) {
    return sampleBytes(wave) == kPackedSampleBytes ? kMaxSampleBytes : sampleBytes(wave);
}

// A sample of one byte is unsigned, a longer one signed, little-endian; the bits a sample does not use
// are the low ones.
SDL_AudioFormat formatOf(int bytes) {
    return bytes == 1 ? AUDIO_U8 : bytes == 2 ? AUDIO_S16LSB : AUDIO_S32LSB;
}

// Two steps: the samples to 16-bit stereo at the file's own rate, which goes block by block since no
// sample depends on another; then the rate, over the whole sound, since the resampler looks at the
// samples around each. The sound never takes the room of its widest intermediate format at the
// device's rate. False for a layout the converter does not take.
bool buildConverters(const WaveFile& wave, SDL_AudioCVT& layout, SDL_AudioCVT& rate) {
    int bytes = sampleBytes(wave);
    if (wave.formatTag != kWaveFormatPcm || bytes == 0 || bytes > kMaxSampleBytes ||
        wave.channels > UINT8_MAX || wave.blockAlign != wave.channels * bytes || wave.rate == 0 ||
        wave.rate > INT_MAX) {
        return false;
    }
    int ownRate = static_cast<int>(wave.rate);
    return SDL_BuildAudioCVT(&layout, formatOf(wideSampleBytes(wave)), static_cast<uint8_t>(wave.channels),
                             ownRate, AUDIO_S16SYS, kDeviceChannels, ownRate) >= 0 &&
           SDL_BuildAudioCVT(&rate, AUDIO_S16SYS, kDeviceChannels, ownRate, AUDIO_S16SYS, kDeviceChannels,
                             kDeviceRate) >= 0;
}

// The samples of frames [first, first + count) as the layout converter takes them.
void copySamples(const WaveFile& wave, size_t first, size_t count, uint8_t* to) {
    const uint8_t* from = wave.data.data() + first * wave.blockAlign;
    size_t samples = count * wave.channels;
    if (sampleBytes(wave) != kPackedSampleBytes) {
        std::memcpy(to, from, samples * sampleBytes(wave));
        return;
    }
    for (size_t i = 0; i < samples; ++i) {
        to[i * kMaxSampleBytes] = 0;
        std::memcpy(to + i * kMaxSampleBytes + 1, from + i * kPackedSampleBytes, kPackedSampleBytes);
    }
}

// Frames [first, first + count) as 16-bit stereo into the sound at their place.
bool convertLayout(const WaveFile& wave, SDL_AudioCVT& layout, size_t first, size_t count,
                   std::vector<uint8_t>& block, uint8_t* sound) {
    size_t bytes = count * wave.channels * wideSampleBytes(wave);
    block.resize(bytes * static_cast<size_t>(layout.len_mult));
    copySamples(wave, first, count, block.data());
    layout.buf = block.data();
    layout.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&layout) != 0 || static_cast<size_t>(layout.len_cvt) != count * kDeviceFrameBytes)
        return false;
    std::memcpy(sound + first * kDeviceFrameBytes, block.data(), count * kDeviceFrameBytes);
    return true;
}

}  // namespace

bool convertible(const WaveFile& wave) {
    SDL_AudioCVT layout, rate;
    return buildConverters(wave, layout, rate);
}

uint64_t convertedBytes(const WaveFile& wave) {
    if (wave.rate == 0) return 0;
    uint64_t frames = (uint64_t{wave.frames()} * kDeviceRate + wave.rate - 1) / wave.rate;
    return frames * kDeviceFrameBytes;
}

// SDL_AudioCVT and not SDL_AudioStream: the stream loses part of what goes through its resampler. The
// sound comes out as long as in its file, silence making up what the resampler gives short, and keeps
// none of the room the converter needed.
bool convertToDevice(const WaveFile& wave, std::vector<uint8_t>& out) {
    SDL_AudioCVT layout, rate;
    if (!buildConverters(wave, layout, rate)) return false;
    const size_t frames = wave.frames();
    const size_t stereoBytes = frames * kDeviceFrameBytes;
    if (stereoBytes == 0 || stereoBytes * static_cast<size_t>(rate.len_mult) > INT_MAX) return false;
    out.assign(stereoBytes * static_cast<size_t>(rate.len_mult), 0);
    std::vector<uint8_t> block;
    for (size_t first = 0; first < frames; first += kBlockFrames) {
        if (!convertLayout(wave, layout, first, std::min(kBlockFrames, frames - first), block, out.data()))
            return false;
    }
    rate.buf = out.data();
    rate.len = static_cast<int>(stereoBytes);
    if (SDL_ConvertAudio(&rate) != 0) return false;
    size_t length = convertedBytes(wave), made = static_cast<size_t>(rate.len_cvt);
    if (made < length) std::fill(out.begin() + static_cast<std::ptrdiff_t>(made), out.end(), 0);
    out.resize(length);
    out.shrink_to_fit();
    return true;
}

#include "platform/audio/private/wave_conversion.h"

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

// The whole conversion at once; or in two steps: the samples to 16-bit stereo at the file's own rate,
// which goes block by block since no sample depends on another, then the rate, over the whole sound,
// since the resampler looks at the samples around each. False for a layout the converter does not take.
struct Converters {
    SDL_AudioCVT whole, layout, rate;
};

bool buildConverters(const WaveFile& wave, Converters& converters) {
    int bytes = sampleBytes(wave);
    if (wave.formatTag != kWaveFormatPcm || bytes == 0 || bytes > kMaxSampleBytes ||
        wave.channels > UINT8_MAX || wave.blockAlign != wave.channels * bytes || wave.rate == 0 ||
        wave.rate > INT_MAX) {
        return false;
    }
    int ownRate = static_cast<int>(wave.rate);
    SDL_AudioFormat format = formatOf(wideSampleBytes(wave));
    auto channels = static_cast<uint8_t>(wave.channels);
    return SDL_BuildAudioCVT(&converters.whole, format, channels, ownRate, AUDIO_S16SYS, kDeviceChannels,
                             kDeviceRate) >= 0 &&
           SDL_BuildAudioCVT(&converters.layout, format, channels, ownRate, AUDIO_S16SYS, kDeviceChannels,
                             ownRate) >= 0 &&
           SDL_BuildAudioCVT(&converters.rate, AUDIO_S16SYS, kDeviceChannels, ownRate, AUDIO_S16SYS,
                             kDeviceChannels, kDeviceRate) >= 0;
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
    Converters converters;
    return buildConverters(wave, converters);
}

uint64_t convertedBytes(const WaveFile& wave) {
    if (wave.rate == 0) return 0;
    uint64_t frames = (uint64_t{wave.frames()} * kDeviceRate + wave.rate - 1) / wave.rate;
    return frames * kDeviceFrameBytes;
}

// SDL_AudioCVT and not SDL_AudioStream: the stream loses part of what goes through its resampler.
// SDL_AudioCVT needs room for the sound in its widest intermediate format at the device's rate: the
// conversion goes whichever way needs the less (in two steps, a sound of many channels or wide samples
// shrinks before it is resampled). The sound comes out as long as in its file, silence making up what
// the resampler gives short, and keeps none of the converter's room.
bool convertToDevice(const WaveFile& wave, std::vector<uint8_t>& out) {
    Converters converters;
    if (!buildConverters(wave, converters)) return false;
    SDL_AudioCVT& whole = converters.whole;
    SDL_AudioCVT& rate = converters.rate;
    const size_t frames = wave.frames();
    const size_t wideBytes = frames * wave.channels * wideSampleBytes(wave);
    const size_t stereoBytes = frames * kDeviceFrameBytes;
    const size_t atOnce = wideBytes * static_cast<size_t>(whole.len_mult);
    const size_t inTwo = stereoBytes * static_cast<size_t>(rate.len_mult);
    if (frames == 0 || std::min(atOnce, inTwo) > INT_MAX) return false;
    SDL_AudioCVT& last = atOnce <= inTwo ? whole : rate;
    out.assign(std::min(atOnce, inTwo), 0);
    if (atOnce <= inTwo) {
        copySamples(wave, 0, frames, out.data());
    } else {
        std::vector<uint8_t> block;
        for (size_t first = 0; first < frames; first += kBlockFrames) {
            size_t count = std::min(kBlockFrames, frames - first);
            if (!convertLayout(wave, converters.layout, first, count, block, out.data())) return false;
        }
    }
    last.buf = out.data();
    last.len = static_cast<int>(atOnce <= inTwo ? wideBytes : stereoBytes);
    if (SDL_ConvertAudio(&last) != 0) return false;
    size_t length = convertedBytes(wave), made = static_cast<size_t>(last.len_cvt);
    if (made < length && made < out.size()) {
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(made),
                  out.begin() + static_cast<std::ptrdiff_t>(std::min(length, out.size())), 0);
    }
    out.resize(length);
    out.shrink_to_fit();
    return true;
}

#include "platform/private/wave_conversion.h"

#include <SDL.h>

#include <climits>
#include <cstring>

// SDL_AudioCVT and not SDL_AudioStream: the stream drops the end of what its resampler holds back,
// cutting a short click to a fraction of its length.
bool convertToDevice(const WaveFile& wave, std::vector<uint8_t>& out) {
    SDL_AudioFormat format = wave.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (wave.formatTag != kWaveFormatPcm || (wave.bits != 8 && wave.bits != 16)) return false;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<uint8_t>(wave.channels), static_cast<int>(wave.rate),
                          AUDIO_S16SYS, kDeviceChannels, kDeviceRate) < 0) {
        return false;
    }
    size_t frameBytes = size_t{wave.channels} * wave.bits / 8;
    if (frameBytes == 0) return false;
    size_t bytes = wave.data.size() / frameBytes * frameBytes;
    if (bytes == 0 || bytes * static_cast<size_t>(cvt.len_mult) > INT_MAX) return false;
    out.assign(bytes * static_cast<size_t>(cvt.len_mult), 0);
    std::memcpy(out.data(), wave.data.data(), bytes);
    cvt.buf = out.data();
    cvt.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&cvt) != 0) return false;
    out.resize(static_cast<size_t>(cvt.len_cvt));
    return true;
}

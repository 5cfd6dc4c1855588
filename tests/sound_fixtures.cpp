#include "sound_fixtures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/little_endian.h"
#include "platform/sound_device.h"
#include "platform/window_system.h"

namespace {

const int64_t kNsPerMs = 1000000;
const size_t kBytesPerFrame = 4;
const uint32_t kPumpStepMs = 5;

}  // namespace

WaveFile sineWave(uint32_t rate, uint16_t bits, uint16_t channels, double hertz, double seconds) {
    WaveFile wave;
    wave.formatTag = kWaveFormatPcm;
    wave.channels = channels;
    wave.rate = rate;
    wave.bits = bits;
    wave.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    wave.bytesPerSecond = rate * wave.blockAlign;
    std::string bytes;
    LittleEndianWriter out(bytes);
    for (uint32_t i = 0; i < static_cast<uint32_t>(rate * seconds); ++i) {
        double value = std::sin(2 * M_PI * hertz * i / rate) / 2;
        for (uint16_t channel = 0; channel < channels; ++channel) {
            if (bits == 8)
                out.u8(static_cast<uint8_t>(128 + std::lround(value * 255)));
            else
                out.u16(static_cast<uint16_t>(std::lround(value * 65535)));
        }
    }
    wave.data.assign(bytes.begin(), bytes.end());
    return wave;
}

MidiPiece oneStrokePiece(int64_t lengthMs) {
    const uint8_t kDrumsNoteOn = 0x99, kDrumsNoteOff = 0x89, kHighWoodBlock = 76;
    MidiPiece piece;
    piece.events.push_back({0, kDrumsNoteOn, kHighWoodBlock, 127, 0, 0});
    piece.events.push_back({100 * kNsPerMs, kDrumsNoteOff, kHighWoodBlock, 0, 0, 0});
    piece.lengthNs = lengthMs * kNsPerMs;
    return piece;
}

void pumpUntil(const std::function<bool(int)>& done, const std::string& piece) {
    for (int ends = 0; !done(ends);) {
        g_windowSystem->pumpEvents();
        WindowMessage message;
        while (g_windowSystem->takeMessage(message)) {
            if (message.message != MM_MCINOTIFY) continue;
            ++ends;
            g_windowSystem->soundDevice().rewindPiece(piece);
            g_windowSystem->soundDevice().playPiece(piece, true);
        }
        g_windowSystem->idleUntil(g_windowSystem->milliseconds() + kPumpStepMs);
    }
}

void pumpFor(uint32_t ms, const std::string& piece) {
    uint32_t end = g_windowSystem->milliseconds() + ms;
    pumpUntil([end](int) { return static_cast<int32_t>(g_windowSystem->milliseconds() - end) >= 0; }, piece);
}

AudioStream readAudioStream(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    LittleEndianReader in(bytes.data(), bytes.size());
    AudioStream stream;
    while (in.has(in.position(), kBytesPerFrame)) {
        stream.left.push_back(static_cast<int16_t>(in.readU16()));
        stream.right.push_back(static_cast<int16_t>(in.readU16()));
    }
    return stream;
}

std::vector<size_t> onsets(const AudioStream& stream, size_t quietFrames) {
    std::vector<int> level(stream.left.size());
    int loudest = 0;
    for (size_t i = 0; i < level.size(); ++i) {
        level[i] = std::abs(stream.left[i]) + std::abs(stream.right[i]);
        loudest = std::max(loudest, level[i]);
    }
    std::vector<size_t> found;
    size_t lastLoud = 0;
    for (size_t i = 0; i < level.size(); ++i) {
        if (level[i] <= loudest / 8) continue;
        if (found.empty() || i - lastLoud >= quietFrames) found.push_back(i);
        lastLoud = i;
    }
    return found;
}

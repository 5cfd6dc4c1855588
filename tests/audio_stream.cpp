#include "audio_stream.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/formats/little_endian.h"

namespace {

const size_t kBytesPerFrame = 4;

}  // namespace

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

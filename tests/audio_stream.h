// The sound device's stream as SDL's disk audio driver writes it (16-bit little-endian stereo frames),
// read back by the sound tests and the music benchmark.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct AudioStream {
    std::vector<int16_t> left, right;
};

AudioStream readAudioStream(const std::string& path);
// The frames where the sound rises above an eighth of its loudest after at least quietFrames below
// that: the strokes of a piece that sounds, then falls silent.
std::vector<size_t> onsets(const AudioStream& stream, size_t quietFrames);

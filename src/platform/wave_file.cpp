#include "platform/wave_file.h"

#include <cstring>

#include "platform/file_system.h"
#include "platform/little_endian.h"

namespace {

// As large as the largest buffer a sound device takes, and then some for the chunks around it.
const size_t kMaxWaveFileBytes = 256u * 1024 * 1024;

// A chunk starts with a four-letter id and its size; a RIFF chunk's data starts with its form type.
const size_t kIdBytes = 4;
const size_t kChunkHeaderBytes = kIdBytes + 4;
const size_t kFormTypeBytes = kIdBytes;
// The PCM format and the two bytes after it, read whether or not the chunk holds them.
const size_t kFormatBytes = 18;
// The sound cards of the engine's day played from about 5 to 48 kHz, today's up to 192 kHz. The bounds
// leave room on both sides, refuse a rate of 0 (a division by zero to a mixer) and absurd ones, and keep
// rate × block alignment far from wrapping.
const uint32_t kMinRate = 1000;
const uint32_t kMaxRate = 192000;
const uint16_t kMaxChannels = 2;
// Converted for the device, a sound takes 176,400 bytes a second whatever its own rate; half an hour
// (317 MB) is longer than any sound a game plays, and a small file of a low rate can claim hours.
const uint32_t kMaxSeconds = 30 * 60;

// A chunk's place in the file: its data starts at dataAt and declares size bytes.
struct Chunk {
    size_t dataAt = 0;
    uint32_t size = 0;
};

bool idAt(const LittleEndianReader& in, const uint8_t* data, size_t at, const char* id) {
    return in.has(at, kIdBytes) && std::memcmp(data + at, id, kIdBytes) == 0;
}

// Where the chunk after this one starts: RIFF pads a chunk of odd size to an even one. Past the end of
// the file when the chunk runs beyond it.
size_t afterChunk(const LittleEndianReader& in, const Chunk& chunk, size_t fileSize) {
    if (!in.has(chunk.dataAt, chunk.size)) return fileSize + 1;
    return chunk.dataAt + chunk.size + (chunk.size & 1);
}

// Walks the chunks from at to the end of the file, not to the end of their parent: real files declare
// a parent size that is wrong. True with the first chunk of that id (and, for a RIFF chunk, that form).
bool findChunk(const uint8_t* data, size_t size, size_t at, const char* id, const char* form, Chunk& found) {
    LittleEndianReader in(data, size);
    while (in.has(at, kChunkHeaderBytes)) {
        Chunk chunk{at + kChunkHeaderBytes, in.u32(at + kIdBytes)};
        bool formMatches = !form || idAt(in, data, chunk.dataAt, form);
        if (idAt(in, data, at, id) && formMatches) {
            found = chunk;
            return true;
        }
        at = afterChunk(in, chunk, size);
    }
    return false;
}

// What a sound device would refuse to open. A PCM format's bytes a second follow from its rate and block
// alignment: the files of real games keep them so, and one that does not is damaged.
bool playable(const WaveFile& wave) {
    if (wave.formatTag != kWaveFormatPcm || wave.channels == 0 || wave.channels > kMaxChannels) return false;
    if ((wave.bits != 8 && wave.bits != 16) || wave.rate < kMinRate || wave.rate > kMaxRate) return false;
    return wave.blockAlign == wave.channels * wave.bits / 8 &&
           wave.bytesPerSecond == static_cast<uint64_t>(wave.rate) * wave.blockAlign;
}

void readFormat(const LittleEndianReader& in, size_t at, WaveFile& out) {
    out.formatTag = in.u16(at);
    out.channels = in.u16(at + 2);
    out.rate = in.u32(at + 4);
    out.bytesPerSecond = in.u32(at + 8);
    out.blockAlign = in.u16(at + 12);
    out.bits = in.u16(at + 14);
}

}  // namespace

const char* parseWaveFile(const uint8_t* data, size_t size, WaveFile& out) {
    LittleEndianReader in(data, size);
    Chunk riff, format, sound;
    if (!findChunk(data, size, 0, "RIFF", "WAVE", riff)) return "Could not Descend into Wave File";
    if (!findChunk(data, size, riff.dataAt + kFormTypeBytes, "fmt ", nullptr, format))
        return "Could not Descend into format of Wave File";
    if (!in.has(format.dataAt, kFormatBytes)) return "Error reading Wave Format";
    readFormat(in, format.dataAt, out);
    if (!playable(out)) return "Not a valid Wave Format";
    if (!in.has(format.dataAt, format.size)) return "Unable to Ascend";
    if (!findChunk(data, size, afterChunk(in, format, size), "data", nullptr, sound))
        return "Wave file has no data";
    if (!in.has(sound.dataAt, sound.size)) return "Could not read Wave Data";
    if (sound.size / out.blockAlign / out.rate >= kMaxSeconds) return "Could not read Wave Data";
    out.data.assign(data + sound.dataAt, data + sound.dataAt + sound.size);
    return nullptr;
}

const char* readWaveFile(const char* sjisName, WaveFile& out) {
    std::vector<uint8_t> bytes;
    if (!readGameFile(sjisName, kMaxWaveFileBytes, bytes)) return "Could not Open Wave File";
    return parseWaveFile(bytes.data(), bytes.size(), out);
}

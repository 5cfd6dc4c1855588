#include "platform/formats/wave_file.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/formats/little_endian.h"

namespace {

// As large as the largest buffer a sound device takes, and then some for the chunks around it.
const size_t kMaxWaveFileBytes = 256u * 1024 * 1024;

// A chunk starts with a four-letter id and its size; a RIFF chunk's data starts with its form type.
const size_t kIdBytes = 4;
const size_t kChunkHeaderBytes = kIdBytes + 4;
const size_t kFormTypeBytes = kIdBytes;
// The PCM format and the two bytes after it, read whether or not the chunk holds them.
const size_t kFormatBytes = 18;

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

void readFormat(const LittleEndianReader& in, size_t at, WaveFile& out) {
    out.formatTag = in.u16(at);
    out.channels = in.u16(at + 2);
    out.rate = in.u32(at + 4);
    out.bytesPerSecond = in.u32(at + 8);
    out.blockAlign = in.u16(at + 12);
    out.bits = in.u16(at + 14);
}

// The walk up to the sound: the message of the step that fails, or nullptr with the format read and the
// place of the data chunk, which lies whole within the file. Only the format tag is judged here; whether
// a device can play the layout is the device's to say, once the file has been read.
const char* findSound(const uint8_t* data, size_t size, WaveFile& out, Chunk& sound) {
    LittleEndianReader in(data, size);
    Chunk riff, format;
    if (!findChunk(data, size, 0, "RIFF", "WAVE", riff)) return "Could not Descend into Wave File";
    if (!findChunk(data, size, riff.dataAt + kFormTypeBytes, "fmt ", nullptr, format))
        return "Could not Descend into format of Wave File";
    if (!in.has(format.dataAt, kFormatBytes)) return "Error reading Wave Format";
    readFormat(in, format.dataAt, out);
    if (out.formatTag != kWaveFormatPcm) return "Not a valid Wave Format";
    if (!in.has(format.dataAt, format.size)) return "Unable to Ascend";
    if (!findChunk(data, size, afterChunk(in, format, size), "data", nullptr, sound))
        return "Wave file has no data";
    if (!in.has(sound.dataAt, sound.size)) return "Could not read Wave Data";
    return nullptr;
}

}  // namespace

const char* parseWaveFile(const uint8_t* data, size_t size, WaveFile& out) {
    Chunk sound;
    if (const char* failure = findSound(data, size, out, sound)) return failure;
    out.data.assign(data + sound.dataAt, data + sound.dataAt + sound.size);
    return nullptr;
}

// The file's bytes become the sound's, so that a large file is never held twice.
const char* readWaveFile(const char* sjisName, WaveFile& out) {
    std::vector<uint8_t> bytes;
    if (!readGameFile(sjisName, kMaxWaveFileBytes, bytes)) return "Could not Open Wave File";
    Chunk sound;
    if (const char* failure = findSound(bytes.data(), bytes.size(), out, sound)) return failure;
    bytes.resize(sound.dataAt + sound.size);
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(sound.dataAt));
    out.data = std::move(bytes);
    return nullptr;
}

#include "platform/formats/midi_file.h"

#include <algorithm>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/formats/little_endian.h"
#include "platform/formats/private/midi_tempo_map.h"

namespace {

const size_t kMaxFileBytes = 16u * 1024 * 1024;
const size_t kChunkHeaderBytes = 8;
const size_t kChunkSizeAt = 4;
const uint32_t kSmfHeaderBytes = 6;
const size_t kFormatAt = 8;
const size_t kTrackCountAt = 10;
const size_t kDivisionAt = 12;
// Format 2, independent sequences, has no single time line to play.
const uint16_t kLastFormat = 1;
const size_t kRiffFormAt = 8;
const size_t kRiffChunksAt = 12;
const int kLongestQuantity = 4;
const uint8_t kStatusBit = 0x80;
const uint8_t kDataBits = 0x7F;
const uint8_t kFirstSystemStatus = 0xF0;
const uint8_t kMessageTypeBits = 0xF0;
const uint8_t kProgramChange = 0xC0;
const uint8_t kChannelPressure = 0xD0;
const uint8_t kSysexStart = 0xF0;
const uint8_t kSysexEnd = 0xF7;
const uint8_t kMetaEvent = 0xFF;
const uint8_t kMetaEndOfTrack = 0x2F;
const uint8_t kMetaTempo = 0x51;
const uint32_t kTempoBytes = 3;

constexpr uint32_t chunkId(const char (&id)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(id[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(id[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(id[2])) << 8 | static_cast<uint8_t>(id[3]);
}

// A RIFF RMID file holds the standard MIDI file in its "data" chunk. Its sizes are trusted only as far
// as the bytes go: writers of the time left the RIFF size wrong, so the walk goes by the file's end.
bool unwrapRmid(const uint8_t*& data, size_t& size) {
    LittleEndianReader in(data, size);
    if (in.bigU32(0) != chunkId("RIFF")) return true;
    if (in.bigU32(kRiffFormAt) != chunkId("RMID")) return false;
    for (size_t at = kRiffChunksAt; in.has(at, kChunkHeaderBytes);) {
        uint32_t bytes = in.u32(at + kChunkSizeAt);
        at += kChunkHeaderBytes;
        if (in.bigU32(at - kChunkHeaderBytes) == chunkId("data")) {
            data += at;
            size = std::min<size_t>(bytes, size - at);
            return true;
        }
        at += bytes + (bytes & 1);
    }
    return false;
}

// A variable-length quantity: seven bits a byte, at most four bytes.
bool readQuantity(LittleEndianReader& in, uint32_t& value) {
    value = 0;
    for (int i = 0; i < kLongestQuantity; ++i) {
        uint8_t byte = in.readU8();
        value = value << 7 | (byte & kDataBits);
        if (!(byte & kStatusBit)) return !in.failed();
    }
    return false;
}

// One track's events go into the piece with their tick in place of their time, which the tempo map of
// all the tracks settles afterwards.
class TrackReader {
public:
    TrackReader(const uint8_t* data, size_t size, MidiPiece& piece, std::vector<TempoChange>& tempo)
        : data_(data), size_(size), in_(data, size), piece_(piece), tempo_(tempo) {}

    // False for an event that runs past the chunk or cannot be read. A track without an end of track
    // ends at its last event.
    bool read(int64_t& endTick) {
        int64_t tick = 0;
        bool ended = false;
        while (!ended && in_.position() < size_) {
            uint32_t delta = 0;
            if (!readQuantity(in_, delta)) return false;
            tick += delta;
            if (!readEvent(tick, ended) || in_.failed()) return false;
        }
        endTick = tick;
        return true;
    }

private:
    bool readEvent(int64_t tick, bool& ended) {
        uint8_t status = in_.u8(in_.position());
        if (status & kStatusBit) {
            in_.skip(1);
        } else if (running_) {
            status = running_;
        } else {
            return false;
        }
        if (status < kFirstSystemStatus) {
            running_ = status;
            return readChannelMessage(tick, status);
        }
        // A meta event leaves the running status as it was: writers put text and markers between the
        // messages of one status and go on without repeating it. A system exclusive message ends it,
        // as it would on the wire.
        if (status == kMetaEvent) return readMeta(tick, ended);
        running_ = 0;
        if (status == kSysexStart || status == kSysexEnd) return readSysex(tick, status);
        return false;
    }

    // A status byte where a data byte belongs means the track has lost its way: nothing after it can
    // be read as its writer meant.
    bool readChannelMessage(int64_t tick, uint8_t status) {
        MidiEvent event = {tick, status, in_.readU8(), 0, 0, 0};
        uint8_t type = status & kMessageTypeBits;
        if (type != kProgramChange && type != kChannelPressure) event.data2 = in_.readU8();
        if ((event.data1 | event.data2) & kStatusBit) return false;
        piece_.events.push_back(event);
        return true;
    }

    bool readMeta(int64_t tick, bool& ended) {
        uint8_t type = in_.readU8();
        uint32_t length = 0;
        if (!readQuantity(in_, length)) return false;
        size_t at = in_.position();
        in_.skip(length);
        if (in_.failed()) return false;
        if (type == kMetaTempo && length >= kTempoBytes)
            tempo_.push_back(
                {tick, static_cast<uint32_t>(data_[at] << 16 | data_[at + 1] << 8 | data_[at + 2])});
        ended = type == kMetaEndOfTrack;
        return true;
    }

    // Only whole messages are kept, F0 … F7 in one packet. An F7 packet continues a message divided
    // into packets, or sends bytes raw (real-time messages, song position); the synthesizer takes
    // neither, and a divided message reaching it in part could be taken for another, so both the
    // divided message's F0 packet and every F7 packet are dropped.
    bool readSysex(int64_t tick, uint8_t status) {
        uint32_t length = 0;
        if (!readQuantity(in_, length)) return false;
        size_t at = in_.position();
        in_.skip(length);
        if (in_.failed()) return false;
        if (status != kSysexStart || length == 0 || data_[at + length - 1] != kSysexEnd) return true;
        uint32_t offset = static_cast<uint32_t>(piece_.sysex.size());
        piece_.sysex.insert(piece_.sysex.end(), data_ + at, data_ + at + length - 1);
        piece_.events.push_back({tick, kSysexStart, 0, 0, offset, length - 1});
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    LittleEndianReader in_;
    MidiPiece& piece_;
    std::vector<TempoChange>& tempo_;
    uint8_t running_ = 0;
};

// The tracks that the header counts, in the order of the file. Chunks of other kinds are skipped;
// whatever lies after those tracks, or after the last whole chunk, is left unread.
bool readTracks(const uint8_t* data, size_t size, MidiPiece& piece, std::vector<TempoChange>& tempo,
                int64_t& endTick) {
    LittleEndianReader in(data, size);
    int tracks = 0;
    for (size_t at = kChunkHeaderBytes + in.bigU32(kChunkSizeAt);
         tracks < in.bigU16(kTrackCountAt) && in.has(at, kChunkHeaderBytes);
         at += kChunkHeaderBytes + in.bigU32(at + kChunkSizeAt)) {
        if (in.bigU32(at) != chunkId("MTrk")) continue;
        uint32_t bytes = in.bigU32(at + kChunkSizeAt);
        int64_t trackEnd = 0;
        if (!in.has(at + kChunkHeaderBytes, bytes) ||
            !TrackReader(data + at + kChunkHeaderBytes, bytes, piece, tempo).read(trackEnd))
            return false;
        endTick = std::max(endTick, trackEnd);
        ++tracks;
    }
    return tracks > 0;
}

}  // namespace

bool parseMidiFile(const uint8_t* data, size_t size, MidiPiece& out) {
    out = MidiPiece();
    if (!unwrapRmid(data, size)) return false;
    LittleEndianReader in(data, size);
    if (in.bigU32(0) != chunkId("MThd") || in.bigU32(kChunkSizeAt) < kSmfHeaderBytes ||
        in.bigU16(kFormatAt) > kLastFormat)
        return false;
    MidiPiece piece;
    std::vector<TempoChange> tempo;
    int64_t endTick = 0;
    TempoMap clock;
    if (!readTracks(data, size, piece, tempo, endTick) ||
        !clock.build(in.bigU16(kDivisionAt), std::move(tempo)))
        return false;
    for (MidiEvent& event : piece.events)
        event.timeNs = clock.timeNs(event.timeNs);
    // The events were appended track by track, each track's in the order of the file: a stable sort
    // keeps that order among events of the same time.
    std::stable_sort(piece.events.begin(), piece.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.timeNs < b.timeNs; });
    piece.lengthNs = clock.timeNs(endTick);
    out = std::move(piece);
    return true;
}

bool readMidiFile(const char* sjisName, MidiPiece& out) {
    std::vector<uint8_t> data;
    out = MidiPiece();
    return readGameFile(sjisName, kMaxFileBytes, data) && parseMidiFile(data.data(), data.size(), out);
}

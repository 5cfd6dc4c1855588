#include "midi_score.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "platform/formats/little_endian.h"

namespace {

const uint32_t kHeaderBytes = 6;
const uint16_t kFormatOfTracks = 1;
const uint8_t kNoteOn = 0x90;
const uint8_t kProgramChange = 0xC0;
const uint8_t kControlChange = 0xB0;
const uint8_t kVolumeControl = 7;
const uint8_t kPanControl = 10;
const uint8_t kMeta = 0xFF;
const uint8_t kMetaTimeSignature = 0x58;
const uint8_t kMetaTempo = 0x51;
const uint8_t kMetaEndOfTrack = 0x2F;
const uint8_t kQuarterAsPowerOfTwo = 2;
const uint8_t kClocksPerClick = 24;
const uint8_t kThirtySecondsPerQuarter = 8;
// A variable-length quantity: seven bits a byte, at most four bytes.
const int kBitsPerByte = 7;
const int kLongestQuantityShift = 3 * kBitsPerByte;
const uint8_t kSevenBits = 0x7F;
const uint8_t kMoreBytes = 0x80;

// A track's events in time order, each after its delta time; messages share a status byte while it
// runs, and notes end as note-ons of velocity 0 so that a part runs in one status throughout.
class TrackWriter {
public:
    void message(int tick, uint8_t status, std::initializer_list<uint8_t> data) {
        delta(tick);
        if (status != running_) write_.u8(status);
        running_ = status;
        for (uint8_t byte : data)
            write_.u8(byte);
    }
    void meta(int tick, uint8_t type, std::initializer_list<uint8_t> data) {
        delta(tick);
        running_ = 0;
        write_.u8(kMeta);
        write_.u8(type);
        quantity(static_cast<uint32_t>(data.size()));
        for (uint8_t byte : data)
            write_.u8(byte);
    }
    // The end of track at endTick, and the whole chunk.
    std::string chunk(int endTick) {
        meta(endTick, kMetaEndOfTrack, {});
        std::string out = "MTrk";
        LittleEndianWriter(out).bigU32(static_cast<uint32_t>(body_.size()));
        return out + body_;
    }

private:
    void delta(int tick) {
        quantity(static_cast<uint32_t>(tick - tick_));
        tick_ = tick;
    }
    // Seven bits a byte, the most significant first; every byte but the last has its top bit set.
    void quantity(uint32_t value) {
        int shift = 0;
        while (shift < kLongestQuantityShift && value >> (shift + kBitsPerByte) != 0)
            shift += kBitsPerByte;
        for (; shift > 0; shift -= kBitsPerByte)
            write_.u8(static_cast<uint8_t>(kMoreBytes | ((value >> shift) & kSevenBits)));
        write_.u8(value & kSevenBits);
    }

    std::string body_;
    LittleEndianWriter write_{body_};
    int tick_ = 0;
    uint8_t running_ = 0;
};

std::string metreTrack(const MidiScore& score) {
    TrackWriter track;
    track.meta(0, kMetaTimeSignature,
               {score.quartersPerBar, kQuarterAsPowerOfTwo, kClocksPerClick, kThirtySecondsPerQuarter});
    for (const ScoreTempo& change : score.tempo) {
        uint32_t tempo = change.microsecondsPerQuarter;
        track.meta(change.tick, kMetaTempo,
                   {static_cast<uint8_t>(tempo >> 16), static_cast<uint8_t>(tempo >> 8),
                    static_cast<uint8_t>(tempo)});
    }
    return track.chunk(score.endTick);
}

struct NoteEdge {
    int tick;
    uint8_t key;
    uint8_t velocity;  // 0 for the end of a note
};

std::string partTrack(const ScorePart& part, int endTick) {
    std::vector<NoteEdge> edges;
    for (const ScoreNote& note : part.notes) {
        if (note.start + note.length >= endTick) throw std::runtime_error("a note sounds up to the end");
        edges.push_back({note.start, note.key, note.velocity});
        edges.push_back({note.start + note.length, note.key, 0});
    }
    // A note that ends where another begins is let go first, so that the same key can strike again.
    auto order = [](const NoteEdge& e) { return std::make_pair(e.tick, e.velocity != 0); };
    std::stable_sort(edges.begin(), edges.end(),
                     [&](const NoteEdge& a, const NoteEdge& b) { return order(a) < order(b); });
    TrackWriter track;
    track.message(0, kProgramChange | part.channel, {part.program});
    track.message(0, kControlChange | part.channel, {kVolumeControl, part.volume});
    track.message(0, kControlChange | part.channel, {kPanControl, part.pan});
    for (const NoteEdge& edge : edges)
        track.message(edge.tick, kNoteOn | part.channel, {edge.key, edge.velocity});
    return track.chunk(endTick);
}

}  // namespace

std::string MidiScore::fileBytes() const {
    std::string out = "MThd";
    LittleEndianWriter write(out);
    write.bigU32(kHeaderBytes);
    write.bigU16(kFormatOfTracks);
    write.bigU16(static_cast<uint16_t>(parts.size() + 1));
    write.bigU16(ticksPerQuarter);
    out += metreTrack(*this);
    for (const ScorePart& part : parts)
        out += partTrack(part, endTick);
    return out;
}

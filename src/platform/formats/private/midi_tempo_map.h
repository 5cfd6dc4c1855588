// The clock of a MIDI file: ticks to nanoseconds under its division, and under a metrical division its
// tempo changes. A time is worked out from the segment it lies in, kept as an exact fraction, so that
// no rounding gathers from one tempo change to the next.
#pragma once
#include <cstdint>
#include <vector>

struct TempoChange {
    int64_t tick;
    uint32_t microsecondsPerQuarter;
};

class TempoMap {
public:
    // False for a division that no clock can follow: 0 ticks a quarter or a frame, or a frame rate
    // SMPTE does not name. The changes come in the order of their tracks and, within a track, of the
    // file; of those at the same tick the last one holds. SMPTE time has no tempo and ignores them.
    bool build(uint16_t division, std::vector<TempoChange> changes);
    int64_t timeNs(int64_t tick) const;

private:
    // A time's numerator (ticks × nanoseconds a tick × divisor) outgrows 64 bits in a file that writes
    // long gaps, as any file may: up to 2^28 ticks between two events.
    using Wide = __int128;
    struct Segment {
        int64_t tick;
        Wide start;    // in nanoseconds × divisor_
        int64_t rate;  // nanoseconds × divisor_ a tick
    };

    bool buildSmpte(uint16_t division);

    std::vector<Segment> segments_;
    int64_t divisor_ = 1;
};

#include "platform/formats/private/midi_tempo_map.h"

#include <algorithm>

namespace {

const uint16_t kSmpteDivision = 0x8000;
const uint16_t kTicksMask = 0x7FFF;
const int64_t kNanosecondsPerMicrosecond = 1000;
const int64_t kNanosecondsPerSecond = 1000000000;
// Until a tempo change says otherwise a quarter lasts half a second.
const uint32_t kFirstMicrosecondsPerQuarter = 500000;

struct FrameRate {
    int8_t code;  // the division's high byte
    int64_t framesPerSecondNumerator;
    int64_t framesPerSecondDenominator;
};
// "29" is the drop-frame rate of NTSC colour television, 30 frames in 1.001 seconds.
const FrameRate kFrameRates[] = {{-24, 24, 1}, {-25, 25, 1}, {-29, 30000, 1001}, {-30, 30, 1}};

}  // namespace

bool TempoMap::build(uint16_t division, std::vector<TempoChange> changes) {
    segments_.clear();
    if (division & kSmpteDivision) return buildSmpte(division);
    divisor_ = division & kTicksMask;
    if (divisor_ == 0) return false;
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    segments_.push_back({0, 0, kFirstMicrosecondsPerQuarter * kNanosecondsPerMicrosecond});
    for (const TempoChange& change : changes) {
        const Segment& last = segments_.back();
        Wide start = last.start + static_cast<Wide>(change.tick - last.tick) * last.rate;
        segments_.push_back({change.tick, start, change.microsecondsPerQuarter * kNanosecondsPerMicrosecond});
    }
    return true;
}

bool TempoMap::buildSmpte(uint16_t division) {
    int8_t code = static_cast<int8_t>(division >> 8);
    int64_t ticksPerFrame = division & 0xFF;
    for (const FrameRate& rate : kFrameRates) {
        if (rate.code != code || ticksPerFrame == 0) continue;
        divisor_ = rate.framesPerSecondNumerator * ticksPerFrame;
        segments_.push_back({0, 0, kNanosecondsPerSecond * rate.framesPerSecondDenominator});
        return true;
    }
    return false;
}

int64_t TempoMap::timeNs(int64_t tick) const {
    auto after = std::upper_bound(segments_.begin(), segments_.end(), tick,
                                  [](int64_t t, const Segment& segment) { return t < segment.tick; });
    const Segment& segment = *(after - 1);
    Wide time = (segment.start + static_cast<Wide>(tick - segment.tick) * segment.rate) / divisor_;
    return static_cast<int64_t>(std::min<Wide>(time, INT64_MAX));
}

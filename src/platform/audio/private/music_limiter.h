// The music's last stage before the wave sounds are mixed over it: a peak limiter that looks ahead, so
// that the synthesizer can play at the level the pieces were written for (a melody not far below full
// scale) and a busy passage still never clips. The gain falls over the look-ahead, just in time for a
// peak that needs it, and comes back slowly, so that ordinary pieces, which seldom reach the ceiling,
// pass untouched and a loud one does not pump.
#pragma once
#include <cstdint>

// The frames the limiter looks ahead: the music comes out this many frames minus one late (1.4 ms).
const int kLimiterLookAhead = 64;
// −0.3 dBFS: room for the rounding to 16 bits and for a sound card's own resampling.
const float kLimiterCeiling = 0.966f;

class MusicLimiter {
public:
    explicit MusicLimiter(int rate);

    // Interleaved stereo frames in full scale ±1, limited in place and delayed by kLimiterLookAhead − 1
    // frames: silence comes out first, and the last frames come out with the next call.
    void limit(float* stereo, int frames);

private:
    int32_t windowLeast(int32_t need);
    int32_t smoothGain(int32_t least);

    const double releaseStep_;
    int64_t frame_ = 0;
    float delayed_[kLimiterLookAhead][2] = {};
    // The gains that the frames of the look-ahead need, in increasing order of frame and of gain: the
    // first is the least of them.
    int32_t needs_[kLimiterLookAhead] = {};
    int64_t needFrames_[kLimiterLookAhead] = {};
    int first_ = 0, count_ = 0;
    int32_t envelope_;
    // The envelope over the look-ahead, whose mean is the gain; gains in units of 2^-24, so that the
    // sum is exact and a full gain is exactly 1.
    int32_t recent_[kLimiterLookAhead];
    int64_t recentSum_;
};

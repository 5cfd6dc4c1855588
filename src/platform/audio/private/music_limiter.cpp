#include "platform/audio/private/music_limiter.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const int32_t kFullGain = 1 << 24;
// The gain comes back with a time constant of 200 ms: a loud chord is not followed by a swell.
const double kReleaseSeconds = 0.2;

}  // namespace

MusicLimiter::MusicLimiter(int rate)
    : releaseStep_(1 - std::exp(-1 / (kReleaseSeconds * rate))),
      envelope_(kFullGain),
      recentSum_(int64_t{kFullGain} * kLimiterLookAhead) {
    std::fill(std::begin(recent_), std::end(recent_), kFullGain);
}

// The least gain the frames of the look-ahead need, this one's included: a sliding minimum, each need
// entering and leaving the list once.
int32_t MusicLimiter::windowLeast(int32_t need) {
    if (count_ > 0 && needFrames_[first_] <= frame_ - kLimiterLookAhead) {
        first_ = (first_ + 1) % kLimiterLookAhead;
        --count_;
    }
    while (count_ > 0 && needs_[(first_ + count_ - 1) % kLimiterLookAhead] >= need)
        --count_;
    int last = (first_ + count_) % kLimiterLookAhead;
    needs_[last] = need;
    needFrames_[last] = frame_;
    ++count_;
    return needs_[first_];
}

// The envelope falls at once to what the look-ahead needs and comes back by a fraction of the way each
// frame (at least a unit, so that it arrives); its mean over the look-ahead falls over as many frames
// as the look-ahead has, and never above what any frame it covers needs.
int32_t MusicLimiter::smoothGain(int32_t least) {
    if (least < envelope_) {
        envelope_ = least;
    } else {
        int32_t step = static_cast<int32_t>((least - envelope_) * releaseStep_);
        envelope_ = std::min(least, envelope_ + std::max(step, 1));
    }
    int slot = static_cast<int>(frame_ % kLimiterLookAhead);
    recentSum_ += envelope_ - recent_[slot];
    recent_[slot] = envelope_;
    return static_cast<int32_t>(recentSum_ / kLimiterLookAhead);
}

void MusicLimiter::limit(float* stereo, int frames) {
    for (int i = 0; i < frames; ++i, ++frame_) {
        float left = stereo[2 * i], right = stereo[2 * i + 1];
        float peak = std::max(std::fabs(left), std::fabs(right));
        int32_t need =
            peak > kLimiterCeiling ? static_cast<int32_t>(kLimiterCeiling / peak * kFullGain) : kFullGain;
        double gain = static_cast<double>(smoothGain(windowLeast(need))) / kFullGain;
        int slot = static_cast<int>(frame_ % kLimiterLookAhead), out = (slot + 1) % kLimiterLookAhead;
        stereo[2 * i] = static_cast<float>(delayed_[out][0] * gain);
        stereo[2 * i + 1] = static_cast<float>(delayed_[out][1] * gain);
        delayed_[slot][0] = left;
        delayed_[slot][1] = right;
    }
}

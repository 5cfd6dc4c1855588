// The limiter on the music, on blocks made here: a quiet piece passes untouched (only late by the
// look-ahead), a loud one never goes past the ceiling, not even on a sudden attack, and the gain comes
// back slowly, then whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/audio/private/music_limiter.h"

namespace {

const int kRate = 44100;
const int kDelay = kLimiterLookAhead - 1;

// Stereo frames of a 440 Hz tone at the amplitude the function gives for each frame, the right side
// at 3/4 of the left and a little ahead.
std::vector<float> tone(int frames, double (*amplitude)(int)) {
    std::vector<float> stereo;
    for (int i = 0; i < frames; ++i) {
        double phase = 2 * M_PI * 440 * i / kRate;
        stereo.push_back(static_cast<float>(amplitude(i) * std::sin(phase)));
        stereo.push_back(static_cast<float>(0.75 * amplitude(i) * std::sin(phase + 0.3)));
    }
    return stereo;
}

// Through a fresh limiter, in blocks of 100 frames as the audio thread gives them.
std::vector<float> limited(std::vector<float> stereo) {
    MusicLimiter limiter(kRate);
    for (size_t at = 0; at < stereo.size(); at += 200)
        limiter.limit(stereo.data() + at, static_cast<int>(std::min<size_t>(100, (stereo.size() - at) / 2)));
    return stereo;
}

float loudest(const std::vector<float>& stereo, size_t from, size_t to) {
    float peak = 0;
    for (size_t i = from; i < to; ++i)
        peak = std::max(peak, std::fabs(stereo[i]));
    return peak;
}

}  // namespace

TEST(MusicLimiter, AQuietPiecePassesUntouchedOnlyLate) {
    std::vector<float> quiet = tone(kRate, [](int) { return 0.9; });
    std::vector<float> out = limited(quiet);
    for (size_t i = 0; i < 2 * kDelay; ++i)
        ASSERT_EQ(out[i], 0.0f) << i;
    for (size_t i = 2 * kDelay; i < out.size(); ++i)
        ASSERT_EQ(out[i], quiet[i - 2 * kDelay]) << i;
}

// Silence, then at once four times full scale for half a second, then a tone at half of full scale.
TEST(MusicLimiter, ALoudPieceNeverPassesTheCeilingAndTheGainComesBackSlowlyThenWhole) {
    const int burstFrom = kRate / 10, burstTo = burstFrom + kRate / 2;
    std::vector<float> in = tone(4 * kRate, [](int i) {
        return i < kRate / 10 ? 0.0 : i < kRate * 6 / 10 ? 4.0 : 0.5;
    });
    std::vector<float> out = limited(in);
    EXPECT_LE(loudest(out, 0, out.size()), kLimiterCeiling);
    // The burst plays at the ceiling, its attack included.
    EXPECT_GT(loudest(out, 2 * (burstFrom + kDelay), 2 * (burstFrom + kDelay + kRate / 100)),
              0.9f * kLimiterCeiling);
    EXPECT_GT(loudest(out, 2 * (burstTo - kRate / 100 + kDelay), 2 * (burstTo + kDelay)),
              0.9f * kLimiterCeiling);
    // 20 ms after it the tone is still held down; two seconds and a half later it passes whole.
    size_t after = 2 * (burstTo + kDelay + kRate / 50);
    EXPECT_LT(loudest(out, after, after + 2 * kRate / 100),
              0.9f * loudest(in, after, after + 2 * kRate / 100));
    for (size_t i = 2 * (burstTo + kDelay + kRate * 5 / 2); i < out.size(); ++i)
        ASSERT_EQ(out[i], in[i - 2 * kDelay]) << i;
}

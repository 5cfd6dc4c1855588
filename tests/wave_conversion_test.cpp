// Wave data as the sound devices take it: every PCM layout converted to 44100 Hz, 16 bits, stereo, as
// long as in its file, each sample size at its value and each channel on its side; real files of one
// sound at four sample sizes; and what the wave channels may hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio/private/wave_budget.h"
#include "platform/audio/private/wave_conversion.h"
#include "platform/formats/little_endian.h"

namespace {

const int kHalfScale = 16384;

// A PCM wave whose channel `hot` holds the same sample bytes in every frame, the others silence.
WaveFile steadyWave(uint16_t bits, uint16_t channels, uint32_t rate, int hot, const std::string& sample,
                    uint32_t frames) {
    WaveFile wave;
    wave.formatTag = kWaveFormatPcm;
    wave.channels = channels;
    wave.rate = rate;
    wave.bits = bits;
    wave.blockAlign = static_cast<uint16_t>(channels * sample.size());
    wave.bytesPerSecond = rate * wave.blockAlign;
    std::string silence(sample.size(), '\0');
    if (sample.size() == 1) silence[0] = '\x80';
    for (uint32_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            const std::string& bytes = channel == hot ? sample : silence;
            wave.data.insert(wave.data.end(), bytes.begin(), bytes.end());
        }
    }
    return wave;
}

// Half of full scale in a sample of that many bytes: unsigned in one byte, signed in more.
std::string halfScale(size_t bytes) {
    if (bytes == 1) return "\xC0";
    std::string sample(bytes, '\0');
    sample.back() = '\x40';
    return sample;
}

struct Frame {
    int left, right;
};

Frame frameAt(const std::vector<uint8_t>& out, size_t frame) {
    LittleEndianReader in(out.data(), out.size());
    return {static_cast<int16_t>(in.u16(frame * 4)), static_cast<int16_t>(in.u16(frame * 4 + 2))};
}

std::vector<uint8_t> converted(const WaveFile& wave) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(convertToDevice(wave, out));
    return out;
}

}  // namespace

// Half of full scale on the first channel, then on the second: it comes out on the left, then on the
// right, alone (both sides for mono); in mono and stereo at its level, in more channels shared among
// them as SDL mixes them down. The sound lasts as long as in its file, and nothing more is kept.
TEST(WaveConversion, EveryLayoutLastsAsLongAndSoundsOnTheSideOfItsChannel) {
    for (uint16_t bits : {8, 12, 16, 20, 24, 32}) {
        for (uint16_t channels = 1; channels <= 8; ++channels) {
            for (uint32_t rate : {1000, 11025, 22050, 44100, 48000, 192000}) {
                for (int hot = 0; hot < std::min<int>(channels, 2); ++hot) {
                    std::string layout = std::to_string(bits) + " bits, " + std::to_string(channels) +
                                         " channels, " + std::to_string(rate) + " Hz, on " +
                                         std::to_string(hot);
                    uint32_t frames = rate / 20 + 1;
                    WaveFile wave = steadyWave(bits, channels, rate, hot, halfScale((bits + 7) / 8u), frames);
                    ASSERT_TRUE(convertible(wave)) << layout;
                    std::vector<uint8_t> out = converted(wave);
                    size_t deviceFrames = (size_t{frames} * 44100 + rate - 1) / rate;
                    EXPECT_EQ(out.size(), deviceFrames * 4) << layout;
                    EXPECT_EQ(out.capacity(), out.size()) << layout;
                    Frame middle = frameAt(out, deviceFrames / 2);
                    int near = hot == 0 ? middle.left : middle.right,
                        far = hot == 0 ? middle.right : middle.left;
                    EXPECT_TRUE(channels == 1 ? far == near : std::abs(far) <= 2) << layout << ": " << far;
                    int lowest = channels <= 2 ? kHalfScale - kHalfScale / 200 : kHalfScale / 8;
                    EXPECT_GE(near, lowest) << layout;
                    EXPECT_LE(near, kHalfScale + kHalfScale / 200) << layout;
                }
            }
        }
    }
}

// At the device's own rate a sample keeps its value: the high 16 bits of a longer one, a byte's
// unsigned value moved to the middle.
TEST(WaveConversion, EachSampleSizeKeepsItsValue) {
    const struct {
        uint16_t bits;
        std::string sample;
        int value;
    } cases[] = {
        {8, "\xFF", 32512},
        {8, std::string(1, '\0'), -32768},
        {8, "\x80", 0},
        {16, "\xFF\x7F", 32767},
        {16, std::string("\x00\x80", 2), -32768},
        {16, "\x34\x12", 0x1234},
        {24, "\xFF\xFF\x7F", 32767},
        {24, std::string("\x00\x00\x80", 3), -32768},
        {24, std::string("\x00\x00\x40", 3), 16384},
        {24, std::string("\x00\x34\x12", 3), 0x1234},
        {24, std::string("\x00\x00\xC0", 3), -16384},
        {32, "\xFF\xFF\xFF\x7F", 32767},
        {32, std::string("\x00\x00\x00\x80", 4), -32768},
        {32, std::string("\x00\x00\x34\x12", 4), 0x1234},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out = converted(steadyWave(c.bits, 2, 44100, 0, c.sample, 64));
        ASSERT_EQ(out.size(), 64u * 4) << c.bits;
        Frame frame = frameAt(out, 32);
        EXPECT_NEAR(frame.left, c.value, 1) << c.bits << " bits, " << c.value;
        EXPECT_EQ(frame.right, 0) << c.bits << " bits, " << c.value;
    }
}

// The pluck of Python's own tests (libpython3.11-testsuite), one sound stored at 8, 16, 24 and 32 bits in
// stereo at 11025 Hz: the four convert to the same sound, within what the shortest sample can hold.
TEST(WaveConversion, RealFilesOfOneSoundAtFourSampleSizesComeOutAlike) {
    const std::string folder = "/usr/lib/python3.11/test/audiodata/pluck-pcm";
    std::vector<std::vector<uint8_t>> sounds;
    for (const char* bits : {"16", "8", "24", "32"}) {
        WaveFile wave;
        if (readWaveFile((folder + bits + ".wav").c_str(), wave) != nullptr && sounds.empty())
            GTEST_SKIP() << "libpython3.11-testsuite is not installed (make deps installs it)";
        ASSERT_EQ(wave.bits, std::atoi(bits));
        ASSERT_TRUE(WaveBudget().admits(0, wave)) << bits;
        sounds.push_back(converted(wave));
    }
    const std::vector<uint8_t>& reference = sounds[0];
    ASSERT_EQ(reference.size(), 3307u * 4 * 4);  // 11025 Hz is a quarter of the device's rate
    int loudest = 0;
    for (size_t frame = 0; frame < reference.size() / 4; ++frame)
        loudest = std::max(loudest, std::abs(frameAt(reference, frame).left));
    EXPECT_GT(loudest, 8000);
    // Each file was rounded to its own sample size, and the resampler spreads the difference a little.
    const int tolerance[] = {0, 1 << 9, 16, 16};
    for (size_t i = 1; i < sounds.size(); ++i) {
        ASSERT_EQ(sounds[i].size(), reference.size());
        int worst = 0;
        for (size_t frame = 0; frame < reference.size() / 4; ++frame) {
            Frame a = frameAt(reference, frame), b = frameAt(sounds[i], frame);
            worst = std::max({worst, std::abs(a.left - b.left), std::abs(a.right - b.right)});
        }
        EXPECT_LE(worst, tolerance[i]) << i;
    }
}

// A channel holds ten minutes of sound, all of them half an hour: a small file of a low rate that
// claims half an hour is refused without being converted, a channel's own sound does not count
// against what replaces it, and what a channel lets go is free again. Layouts the converter does not
// take, and sizes no device buffer has, are refused too.
TEST(WaveBudget, AChannelHoldsTenMinutesAndAllChannelsHalfAnHour) {
    const uint32_t kRate = 1000;
    WaveFile tenMinutes = steadyWave(8, 1, kRate, 0, "\x80", 10 * 60 * kRate);
    WaveFile longer = steadyWave(8, 1, kRate, 0, "\x80", 10 * 60 * kRate + 1);
    WaveFile halfHour = steadyWave(8, 1, kRate, 0, "\x80", (30 * 60 - 1) * kRate);
    EXPECT_EQ(convertedBytes(tenMinutes), kChannelWaveBytes);
    WaveBudget budget;
    EXPECT_TRUE(budget.admits(0, tenMinutes));
    EXPECT_FALSE(budget.admits(0, longer));
    EXPECT_FALSE(budget.admits(0, halfHour));
    for (int channel : {0, 1, 2})
        budget.hold(channel, tenMinutes);
    EXPECT_FALSE(budget.admits(3, tenMinutes));
    EXPECT_TRUE(budget.admits(2, tenMinutes));
    budget.release(1);
    EXPECT_TRUE(budget.admits(10, tenMinutes));

    const WaveFile stereo = steadyWave(16, 2, 22050, 0, std::string(2, '\0'), 100);
    std::vector<WaveFile> refused(7, stereo);
    refused[0] = steadyWave(16, 9, 22050, 0, std::string(2, '\0'), 100);  // no speakers beyond eight
    refused[1].channels = 0;
    refused[2].bits = 0;
    refused[3].bits = 40;
    refused[4].blockAlign = 6;
    refused[5].rate = 0;
    refused[6].rate = 8000000;                                 // beyond what the resampler takes
    refused.push_back(steadyWave(8, 2, 22050, 0, "\x80", 1));  // smaller than any device buffer
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_FALSE(WaveBudget().admits(0, refused[i])) << i;
}

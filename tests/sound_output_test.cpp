// The real sound device end to end: the player in a window on a private Xvfb, with SDL's disk audio
// driver writing the device's stream (44100 Hz, 16 bits, stereo) to a file in real time, and the
// stream analysed once the game has ended.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "audio_stream.h"
#include "midi_score.h"
#include "mono_sound.h"
#include "test_support.h"
#include "x_display.h"

namespace {

const int kRate = 44100;
const int kPlayerTimeoutMs = 30000;
const int kEndOfGame = 1;  // the player's status, whatever way it ends

struct Audio {
    std::string driver = "disk";
    std::string soundFont;  // empty: the default
};

// Runs the game in a window on its own display until it ends; the stream, the trace and stderr are
// left in the folder (stream.raw, trace.txt, errors.txt); options are more of the player's options.
// The player's exit status; -1 if it hung.
int playInAWindow(const TempFolder& root, Audio audio = {}, const std::string& options = "") {
    XDisplay display(640, 480, false);
    if (!display.failure().empty()) return -1;
    std::string command = "exec env SDL_AUDIODRIVER='" + audio.driver + "' SDL_DISKAUDIOFILE='" +
                          root.file("stream.raw") + "' " + ZEBORA_BINARY + " --window --root '" +
                          root.path() + "' --trace '" + root.file("trace.txt") + "'" +
                          (audio.soundFont.empty() ? "" : " --soundfont '" + audio.soundFont + "'") + " " +
                          options + " 2> '" + root.file("errors.txt") + "'";
    ChildProcess player({"sh", "-c", command}, display.name());
    return player.waitForExit(kPlayerTimeoutMs);
}

// A quarter of a second of 440 Hz at half the full level, 16 bits at 22050 Hz.
std::string toneBytes() {
    MonoSound tone{22050, 16, {}};
    for (int i = 0; i < 22050 / 4; ++i)
        tone.samples.push_back(0.5 * std::sin(2 * M_PI * 440 * i / 22050));
    return tone.waveBytes();
}

int countLines(const std::string& text, const std::string& ending) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.size() >= ending.size() &&
                 line.compare(line.size() - ending.size(), ending.size(), ending) == 0;
    return count;
}

// The wave first, alone, then after a silence the music: the sum of squares of each part, from the
// first sample that sounds.
const size_t kWaveFrames = kRate / 5;
const size_t kMusicFrom = kRate / 2;

struct Levels {
    double waveLeft = 0, waveRight = 0, music = 0;
};

Levels levelsOf(const AudioStream& stream) {
    Levels levels;
    size_t start = 0;
    while (start < stream.left.size() && stream.left[start] == 0 && stream.right[start] == 0)
        ++start;
    for (size_t i = start; i < stream.left.size(); ++i) {
        double left = stream.left[i], right = stream.right[i];
        if (i - start < kWaveFrames) {
            levels.waveLeft += left * left;
            levels.waveRight += right * right;
        } else if (i - start >= kMusicFrom) {
            levels.music += left * left + right * right;
        }
    }
    return levels;
}

}  // namespace

// Played once to its end, then in a loop: SDL_mixer forgets a channel's panning each time the channel
// stops, and the right side must stay silent throughout.
TEST(SoundOutput, AWaveOnAChannelPannedLeftSoundsOnTheLeftOnlyAtItsOwnPitch) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    TempFolder root;
    root.writeGame("@sound(tone.wav,0,0,-50);@wait(400);@sound(tone.wav,0,1,-50);@wait(700);@goto(end);");
    writeFile(root.file("game/tone.wav"), toneBytes());
    ASSERT_EQ(playInAWindow(root), kEndOfGame);
    AudioStream stream = readAudioStream(root.file("stream.raw"));
    // The tone's own frames: 10 ms windows where either side sounds. The pitch is taken inside the
    // tone only, away from the windows where it starts or stops.
    const size_t window = kRate / 100;
    std::vector<double> l(stream.left.size() / window), r(l.size());
    std::vector<size_t> crossing(l.size());
    for (size_t i = 0; i < l.size() * window; ++i) {
        l[i / window] += double(stream.left[i]) * stream.left[i];
        r[i / window] += double(stream.right[i]) * stream.right[i];
        crossing[i / window] += i > 0 && stream.left[i - 1] < 0 && stream.left[i] >= 0;
    }
    auto sounds = [&](size_t w) { return w < l.size() && std::sqrt(std::max(l[w], r[w]) / window) >= 1000; };
    double left = 0, right = 0;
    size_t frames = 0, crossings = 0, inside = 0;
    for (size_t w = 1; w < l.size(); ++w) {
        if (!sounds(w)) continue;
        left += l[w];
        right += r[w];
        frames += window;
        if (!sounds(w - 1) || !sounds(w + 1)) continue;
        crossings += crossing[w];
        inside += window;
    }
    ASSERT_GT(frames, size_t{kRate / 2}) << readFile(root.file("errors.txt"));
    EXPECT_GT(std::sqrt(left / frames), 8000);
    EXPECT_LT(std::sqrt(right / frames), std::sqrt(left / frames) / 100);
    EXPECT_NEAR(crossings * double(kRate) / inside, 440, 10);
    EXPECT_EQ(countLines(readFile(root.file("trace.txt")), "wave play 0: loop, gains 1.000 0.000"), 1);
}

// The engine answers each end by rewinding and playing with notify again; the piece has started again
// on the very sample of its end by then, and the answer must not start it a second time. FluidSynth
// takes an event at the start of its next block of 64 frames: a stroke sounds up to 1.5 ms late.
TEST(SoundOutput, APieceLoopedWithNotifyStartsAgainEveryTwoSecondsOnTheSample) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    TempFolder root;
    root.writeGame("@midi(two.mid,1);@wait(4800);@goto(end);");
    writeFile(root.file("game/two.mid"), oneBarOfMusic(500));
    ASSERT_EQ(playInAWindow(root), kEndOfGame);
    std::vector<size_t> found = onsets(readAudioStream(root.file("stream.raw")), kRate / 2);
    ASSERT_GE(found.size(), 3u) << readFile(root.file("errors.txt"));
    for (size_t i = 1; i < found.size(); ++i)
        EXPECT_NEAR((found[i] - found[i - 1]) * 1000.0 / kRate, 2000, 2) << i;
    EXPECT_GE(countLines(readFile(root.file("trace.txt")), "music end midi00, starts again"), 2);
}

TEST(SoundOutput, WithoutAnAudioDeviceOrASoundFontTheMusicKeepsItsTimeAndReportsItsEnds) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    TempFolder root;
    root.writeGame("@midi(short.mid,1);@wait(700);@midi(two.mid,1);@wait(100);@goto(end);");
    writeFile(root.file("game/short.mid"), oneBarOfMusic(50));
    writeFile(root.file("game/two.mid"), oneBarOfMusic(500));
    ASSERT_EQ(playInAWindow(root, {"no such driver", ""}), kEndOfGame);
    EXPECT_GE(countLines(readFile(root.file("trace.txt")), "music end midi00, starts again"), 2);
    EXPECT_EQ(readFile(root.file("errors.txt")), "");
    std::string missing = root.file("missing.sf2");
    ASSERT_EQ(playInAWindow(root, {"disk", missing}), kEndOfGame);
    EXPECT_GE(countLines(readFile(root.file("trace.txt")), "music end midi00, starts again"), 2);
    EXPECT_EQ(readFile(root.file("errors.txt")),
              "zebora: cannot load the sound font " + missing + "; the music plays silently\n");
}

// Each volume scales its own part, in amplitude, and a pan keeps its proportion; muting silences both.
// The second run takes its music volume from the settings file, and its sound volume from the command
// line over the file's.
TEST(SoundOutput, TheVolumesScaleTheWavesAndTheMusicEachAndMutingSilencesBoth) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    TempFolder root;
    root.writeGame("@sound(tone.wav,0,0,-3);@wait(700);@midi(two.mid,0);@wait(1000);@goto(end);");
    writeFile(root.file("game/tone.wav"), toneBytes());
    writeFile(root.file("game/two.mid"), oneBarOfMusic(500));
    mkdir(root.file("zebora").c_str(), 0755);
    writeFile(root.file("zebora/zebora.conf"), "music-volume = 25\nsound-volume = 80\n");
    EnvironmentVariable config("XDG_CONFIG_HOME", root.path().c_str());

    ASSERT_EQ(playInAWindow(root, {}, "--music-volume 100 --sound-volume 100"), kEndOfGame);
    EXPECT_EQ(readFile(root.file("errors.txt")), "");
    Levels full = levelsOf(readAudioStream(root.file("stream.raw")));
    // At -3 the right side sounds at about half the left's amplitude; the wood block is short and quiet.
    ASSERT_GT(std::sqrt(full.waveLeft / kWaveFrames), 8000);
    ASSERT_GT(full.waveRight, full.waveLeft / 10);
    ASSERT_GT(full.music, full.waveLeft / 1000);

    ASSERT_EQ(playInAWindow(root, {}, "--sound-volume 50"), kEndOfGame);
    EXPECT_EQ(readFile(root.file("errors.txt")), "");
    Levels lower = levelsOf(readAudioStream(root.file("stream.raw")));
    EXPECT_NEAR(std::sqrt(lower.waveLeft / full.waveLeft), 0.5, 0.005);
    EXPECT_NEAR(std::sqrt(lower.waveRight / lower.waveLeft), std::sqrt(full.waveRight / full.waveLeft),
                0.005);
    EXPECT_NEAR(std::sqrt(lower.music / full.music), 0.25, 0.01);

    ASSERT_EQ(playInAWindow(root, {}, "--mute"), kEndOfGame);
    EXPECT_EQ(readFile(root.file("errors.txt")), "");
    AudioStream muted = readAudioStream(root.file("stream.raw"));
    EXPECT_GT(muted.left.size(), size_t{kRate});
    auto silent = [](const std::vector<int16_t>& side) {
        return std::all_of(side.begin(), side.end(), [](int16_t sample) { return sample == 0; });
    };
    EXPECT_TRUE(silent(muted.left) && silent(muted.right));
}

namespace {

// A second and a half at 120 beats a minute: a flute's melody over a bass at the usual volume and
// velocity (100); or the same in sixteen parts of four-note chords, every part at full volume and
// velocity, as loud as a piece can ask.
std::string pieceOf(bool busy) {
    MidiScore score{480, 4, {{0, 500000}}, 3 * 480, {}};
    std::vector<ScoreNote> melody, bass;
    for (int beat = 0; beat < 3; ++beat) {
        melody.push_back({beat * 480, 400, static_cast<uint8_t>(72 + 2 * beat), 100});
        bass.push_back({beat * 480, 400, 36, 100});
    }
    if (!busy) {
        score.parts = {{0, 73, 100, 64, melody}, {1, 32, 100, 64, bass}};
        return score.fileBytes();
    }
    for (uint8_t channel = 0; channel < 16; ++channel) {
        std::vector<ScoreNote> chords;
        for (int beat = 0; beat < 3; ++beat) {
            for (uint8_t key : {48, 55, 60, 64})
                chords.push_back({beat * 480, 400, static_cast<uint8_t>(key + channel % 4), 127});
        }
        score.parts.push_back(
            {channel, static_cast<uint8_t>(channel == 9 ? 0 : channel * 5), 127, 64, chords});
    }
    return score.fileBytes();
}

// The loudest sample from the first that sounds to `frames` after it, in dBFS.
double peakDbfs(const AudioStream& stream, size_t frames) {
    size_t start = 0;
    while (start < stream.left.size() && stream.left[start] == 0 && stream.right[start] == 0)
        ++start;
    int peak = 0;
    for (size_t i = start; i < std::min(stream.left.size(), start + frames); ++i)
        peak = std::max({peak, std::abs(int{stream.left[i]}), std::abs(int{stream.right[i]})});
    return 20 * std::log10(peak / 32768.0);
}

}  // namespace

// The music plays as loud as a General MIDI synthesizer of the time played it: a melody and a bass
// peak near −12 dBFS, and a piece as loud as can be reaches the limiter's ceiling, −0.3 dBFS, without
// ever clipping.
TEST(SoundOutput, TheMusicPlaysAtTheLevelOfItsTimeAndALoudPieceNeverClips) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    TempFolder root;
    root.writeGame("@midi(piece.mid,0);@wait(2000);@goto(end);");
    for (bool busy : {false, true}) {
        writeFile(root.file("game/piece.mid"), pieceOf(busy));
        ASSERT_EQ(playInAWindow(root), kEndOfGame);
        double peak = peakDbfs(readAudioStream(root.file("stream.raw")), 2 * kRate);
        if (busy)
            EXPECT_NEAR(peak, -0.3, 0.2);
        else
            EXPECT_NEAR(peak, -13, 2);
    }
}

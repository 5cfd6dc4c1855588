// The real sound device end to end: the window system opened on a private Xvfb, with SDL's disk audio
// driver writing the device's stream (44100 Hz, 16 bits, stereo) to a file in real time, and the
// stream analysed afterwards. The device is driven as the engine drives it, through the window
// system's sound device and its message queue.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "platform/sound_device.h"
#include "platform/trace.h"
#include "platform/window_system.h"
#include "sound_fixtures.h"
#include "test_support.h"
#include "x_display.h"

namespace {

const int kRate = 44100;
const int kChildTimeoutMs = 30000;
const int kNoWindow = 100;

struct Audio {
    const char* driver = "disk";
    const char* soundFont = nullptr;
};

// Runs body in a child process holding the real window system, opened windowed on the display, with
// the disk driver's stream in stream.raw, the trace in trace.txt and stderr in errors.txt of the
// folder. What body returns; -1 if the child failed.
int runWithAudio(const XDisplay& display, const TempFolder& folder, const std::function<int()>& body,
                 Audio audio = {}) {
    pid_t child = fork();
    if (child == 0) {
        setenv("DISPLAY", display.name().c_str(), 1);
        setenv("SDL_AUDIODRIVER", audio.driver, 1);
        setenv("SDL_DISKAUDIOFILE", folder.file("stream.raw").c_str(), 1);
        freopen(folder.file("errors.txt").c_str(), "w", stderr);
        PlatformOptions options;
        options.windowed = true;
        options.soundFont = audio.soundFont;
        g_windowSystem = createWindowSystem(options);
        if (!g_windowSystem->openWindow("zebora sound test")) _exit(kNoWindow);
        openTrace(folder.file("trace.txt").c_str());
        int result = body();
        shutDownPlatform();
        // Out through exit, so that the leak check of a sanitized build looks at what the device left.
        std::exit(result);
    }
    int status = 0;
    if (!pollUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, kChildTimeoutMs)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int countLines(const std::string& text, const std::string& line) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string each; std::getline(lines, each);)
        count += each.find(line) != std::string::npos && each.size() == each.find(line) + line.size();
    return count;
}

}  // namespace

// Played once to its end, then in a loop, then again while it plays: SDL_mixer forgets a channel's
// panning each time the channel stops, and the right side must stay silent throughout.
TEST(SoundOutput, AWaveOnAChannelPannedLeftSoundsOnTheLeftOnlyAtItsOwnPitch) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(640, 480, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder folder;
    int status = runWithAudio(display, folder, [] {
        SoundDevice& device = g_windowSystem->soundDevice();
        if (!device.loadWave(3, sineWave(22050, 16, 1, 440, 0.25))) return 1;
        device.setWavePan(3, -5000);
        device.playWave(3, false);
        pumpFor(400);
        device.playWave(3, true);
        pumpFor(300);
        device.playWave(3, true);
        pumpFor(400);
        return 0;
    });
    ASSERT_EQ(status, 0) << readFile(folder.file("errors.txt"));
    AudioStream stream = readAudioStream(folder.file("stream.raw"));
    // The tone's own frames: 10 ms windows where either side sounds.
    const size_t window = kRate / 100;
    double left = 0, right = 0;
    size_t frames = 0, crossings = 0;
    for (size_t start = 0; start + window <= stream.left.size(); start += window) {
        double l = 0, r = 0;
        for (size_t i = start; i < start + window; ++i) {
            l += double(stream.left[i]) * stream.left[i];
            r += double(stream.right[i]) * stream.right[i];
            crossings += i > start && stream.left[i - 1] < 0 && stream.left[i] >= 0;
        }
        if (std::sqrt(std::max(l, r) / window) < 1000) continue;
        left += l;
        right += r;
        frames += window;
    }
    ASSERT_GT(frames, size_t{kRate / 2});
    EXPECT_GT(std::sqrt(left / frames), 8000);
    EXPECT_LT(std::sqrt(right / frames), std::sqrt(left / frames) / 100);
    EXPECT_NEAR(crossings * double(kRate) / frames, 440, 10);
    EXPECT_EQ(countLines(readFile(folder.file("trace.txt")), "wave play 3: loop, gains 1.000 0.003"), 2);
}

// The engine answers each end by rewinding and playing with notify again; the piece has started again
// on the very sample of its end by then, and the answer must not start it a second time.
TEST(SoundOutput, APieceLoopedWithNotifyStartsAgainEveryTwoSecondsOnTheSample) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(640, 480, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder folder;
    int status = runWithAudio(display, folder, [] {
        SoundDevice& device = g_windowSystem->soundDevice();
        device.loadPiece("bgm", oneStrokePiece(2000));
        device.playPiece("bgm", true);
        pumpUntil([](int ends) { return ends == 2; }, "bgm");
        // The stroke of the third start, written after the second end.
        pumpFor(300, "bgm");
        return 0;
    });
    ASSERT_EQ(status, 0) << readFile(folder.file("errors.txt"));
    std::vector<size_t> found = onsets(readAudioStream(folder.file("stream.raw")), kRate / 2);
    ASSERT_EQ(found.size(), 3u);
    for (size_t i = 1; i < found.size(); ++i)
        EXPECT_NEAR((found[i] - found[i - 1]) * 1000.0 / kRate, 2000, 2) << i;
    EXPECT_EQ(countLines(readFile(folder.file("trace.txt")), "music end bgm, starts again"), 2);
}

// A short piece, answered as the engine answers its ends until it has ended twice.
int loopTwice() {
    g_windowSystem->soundDevice().loadPiece("bgm", oneStrokePiece(200));
    g_windowSystem->soundDevice().loadPiece("se", MidiPiece());
    g_windowSystem->soundDevice().playPiece("bgm", true);
    pumpUntil([](int ends) { return ends == 2; }, "bgm");
    return 0;
}

TEST(SoundOutput, WithoutAnAudioDeviceOrASoundFontTheMusicKeepsItsTimeAndReportsItsEnds) {
    if (!xToolsInstalled()) GTEST_SKIP() << "Xvfb and xdotool are not installed";
    XDisplay display(640, 480, false);
    ASSERT_EQ(display.failure(), "");
    TempFolder folder;
    ASSERT_EQ(runWithAudio(display, folder, loopTwice, {"no such driver", nullptr}), 0);
    EXPECT_EQ(countLines(readFile(folder.file("trace.txt")), "music end bgm, starts again"), 2);
    EXPECT_EQ(readFile(folder.file("errors.txt")), "");
    std::string missing = folder.file("missing.sf2");
    ASSERT_EQ(runWithAudio(display, folder, loopTwice, {"disk", missing.c_str()}), 0);
    EXPECT_EQ(countLines(readFile(folder.file("trace.txt")), "music end bgm, starts again"), 2);
    std::string errors = readFile(folder.file("errors.txt"));
    EXPECT_EQ(
        countLines(errors, "zebora: cannot load the sound font " + missing + "; the music plays silently"), 1)
        << errors;
}

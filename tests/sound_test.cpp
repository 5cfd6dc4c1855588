// Music and sounds end to end, on the headless player's virtual clock: when pieces end and start
// again, which channels load and play at what pan, and every message of the two commands.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "mono_sound.h"
#include "test_support.h"

namespace {

std::string tone(uint16_t bits) {
    MonoSound sound{22050, bits, {}};
    for (int i = 0; i < 2205; ++i)
        sound.samples.push_back(0.5 * std::sin(i * 0.1));
    return sound.waveBytes();
}

// A game folder with a 2 s piece, a 3 s piece and a tone.
RunResult play(const std::string& script, const std::string& reader = "") {
    TempFolder root;
    root.writeGame(script);
    writeFile(root.file("game/two.mid"), oneBarOfMusic(500));
    writeFile(root.file("game/three.mid"), oneBarOfMusic(750));
    writeFile(root.file("game/tone.wav"), tone(16));
    return runHeadless(root, reader);
}

// The times of the trace's lines that hold text, counted from the first line of the sound's.
std::vector<uint32_t> timesOf(const std::string& trace, const std::string& text) {
    std::istringstream lines(trace);
    std::vector<uint32_t> times;
    uint32_t first = 0;
    bool started = false;
    for (std::string line; std::getline(lines, line);) {
        uint32_t time = static_cast<uint32_t>(std::stoul(line));
        if (!started && line.find("window title") == std::string::npos) first = time, started = true;
        if (line.find(text) != std::string::npos) times.push_back(time - first);
    }
    return times;
}

}  // namespace

// Reading a command's arguments takes a millisecond a character, so the commands after a wait come a
// little after its end; the pieces' own times are exact.
TEST(Music, ALoopingPieceStartsAgainAtExactlyItsLengthUntilItIsStopped) {
    RunResult run = play("@midi(two.mid,1);@wait(7000);@midi(clear,0);@wait(5000);@after();");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    EXPECT_NE(run.trace.find("music open midi00: two.mid, 2000 ms"), std::string::npos) << run.trace;
    EXPECT_EQ(timesOf(run.trace, "music play midi00, notify"), (std::vector<uint32_t>{0, 2000, 4000, 6000}));
    EXPECT_EQ(timesOf(run.trace, "music end midi00, starts again"),
              (std::vector<uint32_t>{2000, 4000, 6000}));
    // Stopped before its fourth end, it never ends or starts again.
    std::vector<uint32_t> stops = timesOf(run.trace, "music stop midi00");
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_GT(stops[0], 7000u);
    EXPECT_LT(stops[0], 8000u);
}

TEST(Music, APiecePlayedOnceEndsAndStaysSilentAndAnotherReplacesIt) {
    RunResult once = play("@midi(two.mid,0);@wait(7000);@after();");
    EXPECT_EQ(timesOf(once.trace, "music end midi00"), std::vector<uint32_t>{2000});
    EXPECT_EQ(timesOf(once.trace, "starts again"), std::vector<uint32_t>{});
    // A new piece stops the old one: only the new one's ends come, from its own start.
    RunResult replaced = play("@midi(two.mid,1);@wait(1000);@midi(three.mid,1);@wait(7000);@after();");
    std::vector<uint32_t> stops = timesOf(replaced.trace, "music stop midi00");
    ASSERT_FALSE(stops.empty());
    EXPECT_EQ(timesOf(replaced.trace, "music end"),
              (std::vector<uint32_t>{stops[0] + 3000, stops[0] + 6000}));
    // The end of a game stops the music.
    RunResult ended = play("@midi(two.mid,1);@wait(1000);@goto(end);");
    EXPECT_EQ(timesOf(ended.trace, "music stop midi00").size(), 1u);
    EXPECT_EQ(timesOf(ended.trace, "music end"), std::vector<uint32_t>{});
}

TEST(Sound, ChannelsLoadAndPlayAtTheirPanUntilClearedOrTheGameEnds) {
    RunResult run = play(
        "@sound(tone.wav,3,1,-50);@sound(tone.wav,10,0,25);@sound(tone.wav,4,0,60);@wait(100);"
        "@sound(clear,10,0,0);@wait(100);@goto(end);");
    EXPECT_EQ(run.errors, "");
    const char* expected[] = {
        "wave load 3: 22050 Hz, 16 bits, 1 channels, 2205 frames",
        "wave play 3: loop, gains 1.000 0.000",
        "wave play 10: once, gains 0.003 1.000",
        "wave play 4: once, gains 1.000 1.000",  // beyond ±50 the device keeps a new buffer's centre
        "wave stop 10",
    };
    size_t at = 0;
    for (const char* line : expected) {
        at = run.trace.find(line, at);
        EXPECT_NE(at, std::string::npos) << line << "\n" << run.trace;
    }
    // The end of the game stops the channels that still hold a sound.
    EXPECT_EQ(timesOf(run.trace, "wave stop 3").size(), 1u);
    EXPECT_EQ(timesOf(run.trace, "wave stop 10").size(), 1u);
}

// Any PCM layout loads (here 24 bits in six channels). A channel holds up to ten minutes of sound and
// all channels half an hour, counted as the device holds them: what a cleared channel held is free
// again, what goes beyond is refused, and so is a small file of a low rate that claims half an hour.
TEST(Sound, AnyLayoutLoadsAndTheChannelsHoldNoMoreThanTheirShare) {
    TempFolder root;
    root.writeGame(
        "@sound(ten.wav,1,1,0);@sound(ten.wav,2,1,0);@sound(ten.wav,3,1,0);@sound(clear,3,0,0);"
        "@sound(ten.wav,10,1,0);@sound(clear,1,0,0);@sound(wide.wav,0,0,0);@sound(ten.wav,4,1,0);");
    std::string wide = tone(16);
    wide[22] = 6, wide[32] = 18, wide[34] = 24;  // channels, block alignment, bits
    writeFile(root.file("game/wide.wav"), wide);
    writeFile(root.file("game/ten.wav"), MonoSound{1000, 8, std::vector<double>(600000)}.waveBytes());
    writeFile(root.file("game/long.wav"), MonoSound{1000, 8, std::vector<double>(1799000)}.waveBytes());
    const std::string refused = "Error: Could not Create Sound Buffer.\n";
    RunResult full = runHeadless(root, "");
    EXPECT_EQ(full.errors, refused + fatalLine("[ten.wav]が読み込めません"));
    EXPECT_NE(full.trace.find("wave load 10: 1000 Hz, 8 bits, 1 channels, 600000 frames"), std::string::npos);
    EXPECT_NE(full.trace.find("wave load 0: 22050 Hz, 24 bits, 6 channels, 245 frames"), std::string::npos)
        << full.trace;
    root.writeGame("@sound(long.wav,0,1,0);");
    EXPECT_EQ(runHeadless(root, "").errors, refused + fatalLine("[long.wav]が読み込めません"));
}

// A wave that cannot be loaded shows the English box of the step that failed before the message.
TEST(SoundCommands, AFileThatCannotBePlayedSaysWhy) {
    TempFolder root;
    root.writeGame("");
    writeFile(root.file("game/text.mid"), "MThd is not enough");
    std::string longName(230, 'm');
    writeFile(root.file("game/" + longName + ".mid"), oneBarOfMusic(500));
    std::string pcmFloat = tone(16);
    pcmFloat[20] = 3;  // the format tag
    writeFile(root.file("game/float.wav"), pcmFloat);
    writeFile(root.file("game/short.wav"), MonoSound{22050, 8, {0.1, 0.2}}.waveBytes());
    const struct {
        std::string script;
        std::string errors;
    } cases[] = {
        {"@midi(text.mid,1);", fatalLine("ＭＩＤＩが再生出来ません。")},
        // The open command has room for 222 characters of file name.
        {"@midi(" + longName + ".mid,1);", fatalLine("ＭＩＤＩが再生出来ません。")},
        {"@sound(missing.wav,0,0,0);",
         "Error: Could not Open Wave File\n" + fatalLine("[missing.wav]が読み込めません")},
        {"@sound(float.wav,0,0,0);",
         "Error: Not a valid Wave Format\n" + fatalLine("[float.wav]が読み込めません")},
        {"@sound(short.wav,0,0,0);",
         "Error: Could not Create Sound Buffer.\n" + fatalLine("[short.wav]が読み込めません")},
    };
    for (const auto& c : cases) {
        root.writeGame(c.script);
        EXPECT_EQ(runHeadless(root, "").errors, c.errors) << c.script;
    }
}

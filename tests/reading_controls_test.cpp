// The reader's own controls, through the headless reader: the keyboard at the waits and in the menus,
// the speed of the text, auto mode, the quick bookmark and the marks of the modes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "golden.h"
#include "mono_sound.h"
#include "shot_pictures.h"
#include "test_support.h"

namespace {

// The times of the trace's lines that hold text.
std::vector<uint32_t> timesOf(const std::string& trace, const std::string& text) {
    std::istringstream lines(trace);
    std::vector<uint32_t> times;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(text) != std::string::npos) times.push_back(static_cast<uint32_t>(std::stoul(line)));
    }
    return times;
}

std::string keys(const std::string& key, int times, int thenMs) {
    std::string reader;
    for (int i = 0; i < times; ++i)
        reader += "key " + key + "\nwait " + std::to_string(thenMs) + "\n";
    return reader;
}

}  // namespace

// 夕暮れのおみくじ read with the keyboard alone: Return at every wait, Down and Return at the choice. It
// reads as the mouse reads it.
TEST(ReadingControls, ADemoGameReadsToItsEndWithTheKeyboardAlone) {
    TempFolder root;
    root.copyDemoGame("omikuji");
    RunResult run = runHeadless(root, "wait 9000\n" + keys("return", 4, 3000) +
                                          "key down\nwait 500\nkey return\nwait 3000\n" +
                                          keys("return", 3, 3000) + "shot unfinished\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(readFile(root.file("unfinished.png")).empty()) << "the game did not reach its end";
    expectGoldenText("demo-omikuji", run.transcript);
}

// Each speed types twenty characters in its time a character, more than instant takes; instant types
// them with a pump each.
TEST(ReadingControls, EachTextSpeedTypesAtItsOwnPace) {
    const struct {
        const char* speed;
        uint32_t perCharacterMs;
    } speeds[] = {{"instant", 0}, {"slow", 60}, {"normal", 30}, {"fast", 10}};
    uint32_t instant = 0;
    for (const auto& s : speeds) {
        TempFolder root;
        root.writeGame("@sound(tone.wav,0,0,0);" + repeat("あ", 20) + "@sound(tone.wav,1,0,0);@after();");
        writeFile(root.file("game/tone.wav"), MonoSound{22050, 16, {0.1, 0.2, 0.3}}.waveBytes());
        RunResult run = runPlayerFrom(root.path(), root, "--root . --text-speed " + std::string(s.speed), "");
        EXPECT_EQ(run.errors, unknownCommand("after")) << s.speed;
        std::vector<uint32_t> first = timesOf(run.trace, "wave play 0"),
                              second = timesOf(run.trace, "wave play 1");
        ASSERT_EQ(first.size(), 1u);
        ASSERT_EQ(second.size(), 1u);
        uint32_t took = second[0] - first[0];
        if (s.perCharacterMs == 0) instant = took;
        EXPECT_NEAR(static_cast<double>(took - instant), 20.0 * s.perCharacterMs, 20) << s.speed;
    }
    EXPECT_LT(instant, 400u);  // the darkening of the picture, a pump a character, the commands' text
}

// Under auto mode a game reaches its end with no click: each wait goes on once its text is shown, after
// the delay and 60 ms a character; the mark shows while it is on, and a click ends it.
TEST(ReadingControls, AutoModeReadsOnByItselfUntilAClick) {
    TempFolder root;
    root.writeGame("一二三\\c四五\\p六\\c@after();");
    RunResult run =
        runPlayerFrom(root.path(), root, "--root . --auto-delay 1000", "wait 2500\nkey a\nwait 20000\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    std::vector<uint32_t> on = timesOf(run.trace, "auto on (A)"), went = timesOf(run.trace, "auto goes on");
    ASSERT_EQ(on.size(), 1u);
    ASSERT_EQ(went.size(), 3u) << run.trace;
    EXPECT_NE(run.trace.find("mark AUTO"), std::string::npos);
    // The next waits stay their delay and 60 ms for each of their characters, give or take a blink.
    EXPECT_NEAR(static_cast<double>(went[1] - went[0]), 2 * 30 + 1000 + 2 * 60, 40);
    EXPECT_NEAR(static_cast<double>(went[2] - went[1]), 30 + 1000 + 60, 40);

    root.writeGame("一\\c二\\c@after();");
    run = runPlayerFrom(root.path(), root, "--root .",
                        "wait 2500\nkey a\nwait 300\nclick 5 5\nwait 5000\nclose\n");
    EXPECT_EQ(run.errors, "");
    EXPECT_NE(run.trace.find("auto off (the reader)"), std::string::npos) << run.trace;
    EXPECT_NE(run.trace.find("mark none"), std::string::npos);
}

// Escape opens the system menu at a wait and Up, Down and Return pick in it; Escape backs out of a
// menu; Up at a wait opens the backlog and Return leaves it.
TEST(ReadingControls, TheKeyboardWorksTheMenusAsThePointerDoes) {
    TempFolder root;
    root.writeGame("一\\p二\\c@after();");
    const std::string toTheWait = "wait 3000\n";
    // The system menu's first line hides the text; a key in the hidden picture brings it back.
    RunResult hidden =
        runHeadless(root, toTheWait +
                              "shot wait\nkey escape\nwait 1500\nkey down\nwait 300\nkey return\n"
                              "wait 1500\nshot hidden\nclick 5 5\nwait 1500\nshot back\n");
    EXPECT_EQ(hidden.errors, "");
    Picture wait = shot(root, "wait");
    EXPECT_FALSE(sameButTheCursor(shot(root, "hidden"), wait, kPageCursor));
    EXPECT_TRUE(sameButTheCursor(shot(root, "back"), wait, kPageCursor));
    // Escape in the menu leaves it; the wait goes on with Return; Up opens the page before.
    RunResult backlog = runHeadless(root, toTheWait +
                                              "key escape\nwait 1500\nkey escape\nwait 1500\nshot left\n"
                                              "key return\nwait 2000\nkey up\nwait 500\nshot back\n"
                                              "key return\nwait 500\nkey return\nwait 1000\n");
    EXPECT_EQ(backlog.errors, unknownCommand("after"));
    EXPECT_TRUE(sameButTheCursor(shot(root, "left"), wait, kPageCursor));
    EXPECT_TRUE(sameButTheCursor(shot(root, "back"), wait, kPageCursor));
}

// F5 at a click wait, a page wait and a choice saves the quick bookmark in the reader's data folder,
// never in the game's; F9 later brings the same picture and the same next line back. Before any quick
// save, F9 says there is none and changes nothing.
TEST(ReadingControls, TheQuickBookmarkComesBackAtEachKindOfWait) {
    const struct {
        const char* what;
        std::string wait;  // the script's wait, then the command it leads to
        std::string next;
    } waits[] = {
        {"click wait", "\\c@after();", "after"},
        {"page wait", "\\p@after();", "after"},
        {"choice", "@select(2,はい,yes,いいえ,no);@name(yes);@yes();@name(no);@no();", "yes"},
    };
    for (const auto& w : waits) {
        TempFolder root, data;
        root.writeGame("@bgload(clear,0,0);一" + w.wait);
        std::string env = "XDG_DATA_HOME='" + data.path() + "' ";
        std::string pick = w.next == "yes" ? "key down\nwait 300\nkey return\n" : "key return\n";
        RunResult none = runHeadless(root, "wait 3000\nkey f9\nwait 500\nclose\n", env);
        EXPECT_NE(none.trace.find("notice クイックセーブがありません"), std::string::npos) << w.what;
        RunResult saved =
            runHeadless(root, "wait 3000\nshot saved\nkey f5\nwait 500\n" + pick + "wait 3000\n", env);
        EXPECT_NE(saved.trace.find("notice クイックセーブしました"), std::string::npos) << w.what;
        EXPECT_EQ(saved.errors, unknownCommand(w.next)) << w.what;
        // Loaded at the same wait of a game that went on meanwhile.
        RunResult loaded =
            runHeadless(root, "wait 3000\nkey f9\nwait 3000\nshot loaded\n" + pick + "wait 3000\n", env);
        EXPECT_NE(loaded.trace.find("notice クイックロードしました"), std::string::npos) << w.what;
        EXPECT_EQ(loaded.errors, unknownCommand(w.next)) << w.what;
        EXPECT_TRUE(sameButTheCursor(shot(root, "loaded"), shot(root, "saved"), kPageCursor)) << w.what;
        EXPECT_EQ(commandOutput("ls '" + root.file("game") + "'"), "story.zeb\n") << w.what;
    }
}

// 夕暮れのおみくじ read once to its choice, then again in skip mode: what was read goes by, each wait
// after it goes on by itself, and skip mode stops at the choice; turned on again after it, it stops at
// the first fortune not read yet. A script changed in one character starts its record afresh.
TEST(ReadingControls, SkipModePassesWhatWasReadAndStopsAtAChoiceAndAtUnreadText) {
    TempFolder root, data;
    ASSERT_EQ(
        std::system(
            ("cp -r '" + std::string(ZEBORA_SOURCE_DIR) + "/games/omikuji' '" + root.path() + "/'").c_str()),
        0);
    writeFile(root.file("start.dat"), "omikuji story.zeb\n");
    const std::string env = "XDG_DATA_HOME='" + data.path() + "' ";
    runHeadless(root, "wait 9000\n" + keys("return", 4, 3000) + "close\n", env);
    const std::string skipTwice =
        "wait 2500\nkey tab\nwait 8000\nkey down\nwait 300\nkey return\nwait 300\nkey tab\n"
        "wait 8000\nclose\n";
    RunResult again = runHeadless(root, skipTwice, env);
    std::vector<uint32_t> on = timesOf(again.trace, "skip on (Tab)"),
                          went = timesOf(again.trace, "skip goes on");
    std::vector<uint32_t> atChoice = timesOf(again.trace, "skip off (a menu)"),
                          atUnread = timesOf(again.trace, "skip off (unread text)");
    ASSERT_EQ(on.size(), 2u) << again.trace;
    ASSERT_EQ(atChoice.size(), 1u) << again.trace;
    ASSERT_EQ(atUnread.size(), 1u) << again.trace;
    EXPECT_EQ(went.size(), 5u) << again.trace;  // the four waits before the choice, one after it
    for (size_t i = 0; i < went.size(); ++i)
        EXPECT_TRUE(i < 4 ? went[i] > on[0] && went[i] < atChoice[0]
                          : went[i] > on[1] && went[i] < atUnread[0]);
    EXPECT_NE(again.trace.find("mark SKIP"), std::string::npos);

    std::string story = readFile(root.file("omikuji/story.zeb"));
    std::string before = toSjis("夕暮れの神社で"), after = toSjis("夕暮れの古い神社で");
    ASSERT_NE(story.find(before), std::string::npos);
    writeFile(root.file("omikuji/story.zeb"), story.replace(story.find(before), before.size(), after));
    RunResult changed = runHeadless(root, skipTwice, env);
    EXPECT_EQ(timesOf(changed.trace, "skip goes on").size(), 0u) << changed.trace;
    EXPECT_FALSE(timesOf(changed.trace, "skip off (unread text)").empty()) << changed.trace;
}

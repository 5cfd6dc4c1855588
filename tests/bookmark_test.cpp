// Bookmarks as a reader keeps them, end to end: the system menu at each kind of wait, the bookmark
// lists, the questions, loadstart and fileinit, files that cannot be written or cannot be trusted.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include "golden.h"
#include "save/save_file.h"
#include "save_layout.h"
#include "test_support.h"

namespace {

// Where the reader clicks: the system menu's lines, the three bookmarks, the two answers of a question
// and of loadstart, and a place on no menu line.
const char kHide[] = "250 170", kSave[] = "250 200", kLoad[] = "250 230", kEnd[] = "250 260";
const char* const kBookmark[] = {"300 100", "300 240", "300 380"};
const char kYes[] = "290 270", kNo[] = "290 302", kContinue[] = "250 210", kFromStart[] = "250 242";
const char kNowhere[] = "5 5";

std::string click(const char* at, int thenMs = 1500) {
    return std::string("click ") + at + "\nwait " + std::to_string(thenMs) + "\n";
}

std::string rclick(int thenMs = 1500) {
    return std::string("rclick ") + kNowhere + "\nwait " + std::to_string(thenMs) + "\n";
}

// From the system menu into an empty bookmark, past "セーブしました", back out of the menu.
std::string saveInto(int number) {
    return rclick() + click(kSave) + click(kBookmark[number]) + click(kNowhere) + rclick();
}

// The story: loadstart first, then music, a looping sound, a flag and a picture, a click wait, a page
// wait and a choice.
const char kStory[] =
    "@goto(loadstart);@midi(two.mid,1);@sound(tone.wav,2,1,10);@flag(5,=,42);@bgload(hill.bmp,0,0);"
    "一行目です。\\c二行目です。\\p"
    "@flag(6,=,7);@select(2,はい,yes,いいえ,no);@name(yes);@yes();@name(no);@no();";

// A game folder holding the story; saves accumulate in it from run to run.
class Bookmarks : public ::testing::Test {
protected:
    void SetUp() override {
        root.writeGame(kStory);
        root.copyDemoPictures();
        writeFile(root.file("game/two.mid"), oneBarOfMusic(500));
        writeFile(root.file("game/tone.wav"),
                  readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/wind.wav"));
    }
    // Start-up and the wipe into the loadstart list.
    RunResult run(const std::string& reader, const std::string& shell = "") {
        return runHeadless(root, "wait 4000\n" + reader, shell);
    }
    std::string save(int number) const {
        return readFile(root.file("game/save_" + std::to_string(number) + ".dat"));
    }
    TempFolder root;
};

}  // namespace

// Saved at a click wait, a page wait and a choice; continued from each, the same state and the same
// next step, with the music and the looping sound started again.
TEST_F(Bookmarks, SavedAtEachWaitAndContinuedTheGameGoesOnWhereItWas) {
    RunResult first = run(click(kBookmark[0], 3000) + saveInto(0));
    EXPECT_EQ(first.errors, "");
    std::string clickWait = save(0);
    ASSERT_EQ(clickWait.size(), kSaveFileBytes);
    const struct {
        const char* what;
        size_t at;
        std::string bytes;
    } saved[] = {
        {"playthrough 1, a new game on an empty bookmark", kPlaythroughAt, "\1"},
        {"flag 5", kFlagsAt + 5 * 4, std::string("\x2a\0\0\0", 4)},
        {"the click wait", kWaitKindAt, std::string(4, '\0')},
        {"the background", kBackgroundNameAt, std::string("hill.bmp\0", 9)},
        {"the music", kMusicNameAt, std::string("two.mid\0", 8)},
        {"the sound of channel 2", kWaveNamesAt + 2 * kNameField, std::string("tone.wav\0", 9)},
        {"its loop", kWaveFlagsAt + 2, "\1"},
        {"its pan", kWavePansAt + 2, "\x0a"},
    };
    for (const auto& field : saved)
        EXPECT_EQ(clickWait.substr(field.at, field.bytes.size()), field.bytes) << field.what;

    // Continued: saved again at once, then at the page wait, then at the choice, once after "いいえ"
    // to the question about the used bookmark and once after "はい".
    RunResult second =
        run(click(kBookmark[0]) + click(kContinue, 3000) + saveInto(1) + click(kNowhere, 2000) + saveInto(2) +
            click(kNowhere, 2000) + rclick() + click(kSave) + click(kBookmark[0]) + click(kNo) +
            click(kSave) + click(kBookmark[0]) + click(kYes) + click(kNowhere) + rclick() + click("60 60"));
    EXPECT_EQ(second.errors, unknownCommand("no"));
    EXPECT_EQ(save(1).substr(8), clickWait.substr(8));
    std::string pageWait = save(2), choice = save(0);
    ASSERT_EQ(pageWait.size(), kSaveFileBytes);
    EXPECT_EQ(pageWait.substr(kWaitKindAt, 4), std::string("\1\0\0\0", 4));
    ASSERT_EQ(choice.size(), kSaveFileWithChoicesBytes);
    EXPECT_EQ(choice[kChoiceCountAt], 2);
    size_t loaded = second.trace.find("load 0: wait kind 0");
    ASSERT_NE(loaded, std::string::npos) << second.trace;
    for (const char* line : {"music open midi00: two.mid", "music play midi00, notify", "wave play 2: loop"})
        EXPECT_NE(second.trace.find(line, loaded), std::string::npos) << line;
    EXPECT_EQ(second.trace.find("save 0", loaded), second.trace.rfind("save 0"));  // "いいえ" saved nothing

    // Continued at the choice: the same choices wait at the same places (the story would go on to the
    // first choice's place).
    EXPECT_EQ(run(click(kBookmark[0]) + click(kContinue, 3000) + click("60 60")).errors,
              unknownCommand("no"));
}

// No bookmark records the eleventh channel: loading one silences it and leaves it silent, while the
// saved looping channel sounds again; the script goes on after the click wait it was saved at.
TEST_F(Bookmarks, LoadingABookmarkSilencesTheEleventhChannel) {
    root.writeGame(
        "@sound(tone.wav,10,1,0);@sound(tone.wav,3,1,0);待つ。\\c@sound(tone.wav,4,0,0);@after();");
    RunResult loaded = run(saveInto(0) + rclick() + click(kLoad) + click(kBookmark[0]) + click(kYes, 3000) +
                           click(kNowhere));
    EXPECT_EQ(loaded.errors, unknownCommand("after"));
    size_t at = loaded.trace.find("load 0: wait kind 0");
    ASSERT_NE(at, std::string::npos) << loaded.trace;
    size_t goesOn = loaded.trace.find("wave load 4", at);
    EXPECT_LT(loaded.trace.find("wave stop 10", at), goesOn) << loaded.trace;
    EXPECT_LT(loaded.trace.find("wave play 3: loop", at), goesOn);
    EXPECT_EQ(loaded.trace.find("wave play 10", at), std::string::npos);
}

// Begun again from a bookmark: a new playthrough that carries the bookmark's play time.
TEST_F(Bookmarks, BegunAgainFromABookmarkTheGameIsTheNextPlaythroughWithItsPlayTime) {
    run(click(kBookmark[0], 3000) + saveInto(0));
    run(click(kBookmark[0]) + click(kFromStart, 3000) + saveInto(1));
    std::string before = save(0), after = save(1);
    ASSERT_EQ(after.size(), kSaveFileBytes);
    auto header = [](const std::string& file) {
        return decodeSaveHeader(reinterpret_cast<const uint8_t*>(file.data()));
    };
    EXPECT_EQ(header(after).playthrough, 2);
    EXPECT_GT(header(after).playTimeMs, header(before).playTimeMs);
}

// fileinit erases a bookmark after "はい" and keeps it after "いいえ"; the script goes on either way.
TEST_F(Bookmarks, FileinitErasesABookmarkOnlyWhenTheReaderAgrees) {
    run(click(kBookmark[0], 3000) + saveInto(0));
    root.writeGame("@goto(fileinit);@after();");
    EXPECT_EQ(run(click(kBookmark[0]) + click(kNo)).errors, unknownCommand("after"));
    EXPECT_EQ(save(0).size(), kSaveFileBytes);
    EXPECT_EQ(run(click(kBookmark[0]) + click(kYes) + click(kNowhere)).errors, unknownCommand("after"));
    EXPECT_EQ(access(root.file("game/save_0.dat").c_str(), F_OK), -1);
}

// The end of the game from the system menu: the game is over, its next line never comes.
TEST_F(Bookmarks, TheSystemMenuEndsTheGameAfterTheReaderAgrees) {
    RunResult ended =
        run(click(kBookmark[0], 3000) + rclick() + click(kEnd) + click(kYes, 3000) + click(kNowhere));
    EXPECT_EQ(ended.status, 1);
    EXPECT_EQ(ended.errors, "");
    EXPECT_NE(ended.trace.find("music stop midi00"), std::string::npos);
}

// The list shows a bookmark's year in full from its byte of years since 1900: 98 is 1998, 126 2026.
TEST_F(Bookmarks, TheListShowsEachBookmarksYearInFull) {
    run(click(kBookmark[0], 3000) + saveInto(0));
    std::string saved = save(0);
    ASSERT_EQ(saved.size(), kSaveFileBytes);
    writeFile(root.file("game/save_0.dat"), std::string("\x62\x0c\x1f", 3) + saved.substr(3));
    writeFile(root.file("game/save_1.dat"), std::string("\x7e\x04\x05", 3) + saved.substr(3));
    EXPECT_EQ(run("shot list\n").errors, "");
    expectShotGolden("bookmark-list", root.file("list.png"));
}

// A right click leaves each menu; the page comes back as it was, pixel for pixel.
TEST_F(Bookmarks, ARightClickLeavesEachMenuAndThePageComesBackAsItWas) {
    root.writeGame("@goto(loadstart);@bgload(hill.bmp,0,0);選ぶ。\\n@select(2,はい,yes,いいえ,no);");
    RunResult cancelled = run(rclick(3000) + "shot before\n" + rclick() + rclick() + "shot menu\n" +
                              rclick() + click(kSave) + rclick() + rclick() + "shot list\n");
    EXPECT_EQ(cancelled.errors, "");
    std::string before = readFile(root.file("before.png"));
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(readFile(root.file("menu.png")), before);
    EXPECT_EQ(readFile(root.file("list.png")), before);
}

// A bookmark is checked whole before anything changes: each damaged file is refused, the list stays,
// and the game goes on as it was.
TEST_F(Bookmarks, ADamagedBookmarkIsRefusedAndNothingChanges) {
    run(click(kBookmark[0], 3000) + saveInto(0));
    const std::string good = save(0);
    ASSERT_EQ(good.size(), kSaveFileBytes);
    auto with = [&good](size_t at, const std::string& bytes) {
        return std::string(good).replace(at, bytes.size(), bytes);
    };
    std::string choices = with(kWaitKindAt, std::string("\2\0\0\0", 4)) +
                          std::string(kSaveFileWithChoicesBytes - kSaveFileBytes, '\0');
    const struct {
        const char* what;
        std::string file;
    } damaged[] = {
        {"truncated", good.substr(0, good.size() - 1)},
        {"empty", ""},
        {"a choice count of 99", choices.replace(kSaveFileBytes, 1, 1, 99)},
        {"a wait kind of 7", with(kWaitKindAt, std::string("\7", 1))},
        {"a face name without its NUL", with(kFontFaceAt, std::string(kNameField, 'A'))},
        {"a position past the script's end", with(kPositionAt, std::string("\xff\xff\0\0", 4))},
    };
    for (const auto& d : damaged) {
        writeFile(root.file("game/save_0.dat"), d.file);
        RunResult refused = run(click(kBookmark[0]) + click(kContinue) + rclick(3000));
        EXPECT_EQ(refused.errors,
                  "エラーが発生したらしい(^^;: このしおりは壊れているのでロード出来ません（；；謎\n")
            << d.what;
        EXPECT_NE(refused.trace.find("load 0 refused"), std::string::npos) << d.what;
        EXPECT_EQ(refused.trace.find("load 0: "), std::string::npos) << d.what;
        // Right-clicked out of the list, the script went on from its jump as a game never loaded.
        EXPECT_NE(refused.trace.find("music open midi00"), std::string::npos) << d.what;
    }
}

// A save that cannot be written, because the disk is full, the folder is read-only or the player is
// killed while writing, leaves the bookmark it would have replaced exactly as it was; the first two
// say so and the game goes on.
TEST_F(Bookmarks, ASaveThatCannotBeWrittenLeavesTheOldBookmarkAsItWas) {
    run(click(kBookmark[0], 3000) + saveInto(0));
    const std::string old = save(0);
    ASSERT_EQ(old.size(), kSaveFileBytes);
    const std::string overwrite = click(kBookmark[0]) + click(kContinue, 3000) + rclick() + click(kSave) +
                                  click(kBookmark[0]) + click(kYes);
    const std::string cannot = "エラーが発生したらしい(^^;: セーブ出来ません（；；謎\n";
    // The file may not grow past 50 KB: the write fails, as on a full disk.
    RunResult full =
        run(overwrite + rclick() + rclick() + click(kNowhere, 2000), "ulimit -f 100; trap '' XFSZ; ");
    EXPECT_EQ(full.errors, cannot);
    EXPECT_EQ(save(0), old);
    EXPECT_EQ(access(root.file("game/save_0.dat.tmp").c_str(), F_OK), -1);
    // Killed by that limit in the middle of writing.
    RunResult killed = run(overwrite, "ulimit -f 100; ");
    EXPECT_EQ(killed.status, 128 + SIGXFSZ);
    EXPECT_EQ(save(0), old);
    // A folder the player may not write to.
    chmod(root.path().c_str(), 0777);
    chmod(root.file("game").c_str(), 0555);
    // The other user looks for settings in the game's own root, where there are none, and reads its
    // leak suppressions there too: the checkout may be closed to it.
    writeFile(root.file("lsan.supp"), readFile(std::string(ZEBORA_SOURCE_DIR) + "/tests/lsan.supp"));
    std::string asNobody = "XDG_CONFIG_HOME='" + root.path() + "' LSAN_OPTIONS=suppressions='" +
                           root.file("lsan.supp") + "':print_suppressions=0 " +
                           (getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "");
    unlink(root.file("trace.txt").c_str());  // written by root so far
    unlink(root.file("transcript.txt").c_str());
    RunResult readOnly = run(overwrite + rclick() + rclick(), asNobody);
    chmod(root.file("game").c_str(), 0755);
    EXPECT_EQ(readOnly.errors, cannot);
    EXPECT_EQ(save(0), old);
}

// The temporary bookmark is always a new file: whatever a game's folder holds under its name, a file
// left by a killed save, a link to a file of the reader's, a link to nothing, a hard link or a named
// pipe, is replaced, nothing outside the folder is written or made, and the bookmark is saved whole.
TEST_F(Bookmarks, ASaveNeverWritesThroughWhatLiesUnderTheTemporaryName) {
    TempFolder outside;
    const std::string temporary = root.file("game/save_1.dat.tmp"), mine = outside.file("mine.txt");
    const struct {
        const char* what;
        std::function<int()> make;
    } cases[] = {
        {"a file left by a killed save",
         [&] {
             writeFile(temporary, "half a bookmark");
             return 0;
         }},
        {"a link to a file of the reader's", [&] { return symlink(mine.c_str(), temporary.c_str()); }},
        {"a link to nothing", [&] { return symlink(outside.file("new.txt").c_str(), temporary.c_str()); }},
        {"a hard link", [&] { return link(mine.c_str(), temporary.c_str()); }},
        {"a named pipe", [&] { return mkfifo(temporary.c_str(), 0644); }},
    };
    for (const auto& c : cases) {
        writeFile(mine, "the reader's own");
        unlink(root.file("game/save_0.dat").c_str());
        unlink(root.file("game/save_1.dat").c_str());
        ASSERT_EQ(c.make(), 0) << c.what;
        RunResult saved = run(click(kBookmark[0], 3000) + saveInto(0) + saveInto(1), "timeout -s KILL 20 ");
        EXPECT_EQ(saved.errors, "") << c.what;
        EXPECT_TRUE(readFile(mine) == "the reader's own") << c.what;
        EXPECT_EQ(access(outside.file("new.txt").c_str(), F_OK), -1) << c.what;
        EXPECT_EQ(access(temporary.c_str(), F_OK), -1) << c.what;
        ASSERT_EQ(save(1).size(), kSaveFileBytes) << c.what;
        EXPECT_TRUE(save(1).substr(8) == save(0).substr(8)) << c.what;
    }
}

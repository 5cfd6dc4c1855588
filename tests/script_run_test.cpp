// Real scripts run by the headless player; a script proves which way it went by ending in a command
// that function.dat does not know, whose name the message shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "golden.h"
#include "test_support.h"

// A lead byte standing last is no character: it cannot swallow the message's "]".
TEST(ScriptRun, ALeadByteStandingLastNeverSwallowsWhatFollows) {
    TempFolder root;
    root.writeGame("");
    writeFile(root.file("game/story.zeb"), toSjis("あ@x") + "\x81");
    EXPECT_EQ(runHeadless(root, "").errors, fatalLine("[@x]コマンドの書式が違います"));
    // In the text, it ends the game quietly.
    writeFile(root.file("game/story.zeb"), "text\x82");
    RunResult run = runHeadless(root, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
}

TEST(ScriptRun, AHalfWidthKatakanaBeforeAnAtSignHidesThePlaceFromTheScanButNotFromTheRunLoop) {
    EXPECT_EQ(runScript("ｱ@ran();").errors, unknownCommand("ran"));
    // A second byte equal to '@' or '\' never starts a command or an escape: "ソ" is 0x83 0x5C.
    EXPECT_EQ(runScript("ソ表@done();").errors, unknownCommand("done"));
}

// The first of two places of a name; names are case-sensitive; "0" and "end" are never searched; a jump
// backwards runs the commands again.
TEST(Places, AJumpFindsTheFirstPlaceOfItsExactNameButNeverAReservedOne) {
    EXPECT_EQ(runScript("@goto(a);@name(a);@first();@name(a);@second();").errors, unknownCommand("first"));
    EXPECT_EQ(runScript("@goto(0);@after();").errors, unknownCommand("after"));
    EXPECT_EQ(runScript("@goto(end);@name(end);@never();").errors, "");
    EXPECT_EQ(runScript("@name(loop);@flag(0,+,1);@flagselect(0,<,3,loop,0);"
                        "@flagselect(0,=,3,three,0);@wrong();@name(three);@looped();")
                  .errors,
              unknownCommand("looped"));
}

TEST(Places, AllowsNineHundredNinetyNinePlaces) {
    std::string places;
    for (int i = 0; i < 999; ++i)
        places += "@name(p" + std::to_string(i) + ");";
    EXPECT_EQ(runScript("@goto(p998);" + places + "@last();").errors, unknownCommand("last"));
}

TEST(CommandsOfTheCore, WaitHoldsTheScriptUntilItsTimeHasPassed) {
    // A shot taken during the wait finds the game still running, one after it finds it ended: the
    // game ends with the window still open, so the reader's later click would reach nothing.
    // Start-up (the dissolve order, the first pause) takes about 2.5 s of engine time.
    RunResult run = runScript("@wait(20000);@after();", "wait 20000\nclose\n");
    EXPECT_EQ(run.errors, "");
    run = runScript("@wait(20000);@after();", "wait 25000\nclose\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    // Ctrl ends a wait at once; a negative wait ends after one pump.
    EXPECT_EQ(runScript("@wait(20000);@after();", "down ctrl\nwait 10000\nclose\n").errors,
              unknownCommand("after"));
    EXPECT_EQ(runScript("@wait(-1);@after();", "wait 10000\nclose\n").errors, unknownCommand("after"));
}

TEST(CommandsOfTheCore, StartAcceptsThisVersionAndOlderOnes) {
    EXPECT_EQ(runScript("@start(0.21);@start(0.1);@ok();").errors, unknownCommand("ok"));
    // A newer version waits for a click before the script goes on.
    EXPECT_EQ(runScript("@start(0.3);@ok();", "wait 10000\nclose\n").errors, "");
    // The warning dissolves in at 5 ms a step: 1.3 s after start-up's 2.5 s it is whole.
    TempFolder root;
    root.writeGame("@start(0.3);@ok();");
    RunResult run =
        runHeadless(root, "wait 3900\nshot early\nwait 2000\nshot late\nclick 10 10\nwait 3000\n");
    EXPECT_EQ(run.errors, unknownCommand("ok"));
    EXPECT_EQ(readFile(root.file("early.png")), readFile(root.file("late.png")));
    expectShotGolden("version-warning", root.file("late.png"));
}

// The working folder's own files: function.dat must exist and fit the table, system.bmp must exist.
TEST(CommandTable, FunctionDatMustExistAndFitTheTableAndTheSystemGraphicsMustExist) {
    std::string names = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/function.dat");
    const struct {
        const char* file;
        std::string contents;  // empty: the file is missing
        std::string message;
    } cases[] = {
        {"function.dat", "", "ファイル[function.dat]が見つかりません"},
        {"system.bmp", "", "system.bmp ファイルが見つかりません"},
        {"function.dat", names + repeat("99 extra\n", 173),
         "ファイル[function.dat]の命令が多すぎます（200個まで）"},
        {"function.dat", names + "28 " + repeat("n", 50) + "\n",
         "ファイル[function.dat]の命令名が長すぎます（49文字まで）[" + repeat("n", 49) + "]"},
    };
    for (const auto& c : cases) {
        TempFolder root;
        root.writeGame("@x();");
        if (c.contents.empty()) {
            std::remove(root.file(c.file).c_str());
        } else {
            writeFile(root.file(c.file), c.contents);
        }
        RunResult run = runHeadless(root, "");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errors, fatalLine(c.message));
    }
    // 200 entries and a 49-character name fit; the numbers are read and ignored.
    TempFolder root;
    root.writeGame("@" + repeat("n", 49) + "();@x();");
    writeFile(root.file("function.dat"), names + repeat("-5 filler\n", 171) + "7 " + repeat("n", 49) + "\n");
    EXPECT_EQ(runHeadless(root, "").errors, unknownCommand("x"));
}

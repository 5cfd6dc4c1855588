// The front end: finding the games in-process, and the logo and the menu page end to end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "frontend/front_end.h"
#include "golden.h"
#include "platform/files/text_encoding.h"
#include "test_support.h"

namespace {

std::string header(int number) {
    return "#title ゲーム" + std::to_string(number) + "\n#subtitle 副題\n#genre ノベル\n#artist 作者\n";
}

// A working folder with count games named game01 … and a short script each.
void writeGames(const TempFolder& root, int count) {
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "game%02d", i);
        root.writeGameFolder(name, header(i) + "@wait(100);");
    }
}

void scanIn(const TempFolder& root) {
    EnterFolder inRoot(root.path());
    g_frontEnd.scanGames();
}

// Where the reader clicks on the menu page.
const char kPrevious[] = "40 235", kNext[] = "105 235", kLoad[] = "190 235", kQuit[] = "50 362";

// Logo (about 6.7 s) and start-up, then a click on the title picture, then the page has dissolved in.
std::string toMenu() {
    return "wait 11000\nclick 5 5\nwait 2000\n";
}

}  // namespace

// Of a header, a later line overrides an earlier one, a line is cut after 255 characters, "#subtitle"
// without its blank is no key, and four matched lines end the scan.
TEST(GameDiscovery, ReadsTheHeaderOfTheFirstScriptOfEverySubFolderInNameOrder) {
    TempFolder root;
    root.writeGameFolder("Beta", "#title 一番\n#title 上書き\n#subtitle\n#artist 作者 名前\n#title " +
                                     std::string(300, 'x') + "\n#genre 遅すぎ\n");
    root.writeGameFolder("alpha", "#title 一番\n");
    writeFile(root.file("alpha/b.zeb"), toSjis("#title 二つ目\n#genre ノベル\n"));
    root.writeGameFolder(".hidden", "#title 隠し\n");
    mkdir(root.file("empty").c_str(), 0755);
    writeFile(root.file("plain.zeb"), "#title file\n");
    scanIn(root);
    EXPECT_EQ(g_frontEnd.count, 2);
    EXPECT_STREQ(g_frontEnd.folder[0], "alpha");
    EXPECT_STREQ(g_frontEnd.scriptFile[0], "b.zeb");
    EXPECT_STREQ(g_frontEnd.title[0], sjis("二つ目"));
    EXPECT_STREQ(g_frontEnd.genre[0], sjis("ノベル"));
    EXPECT_STREQ(g_frontEnd.folder[1], "Beta");
    EXPECT_EQ(std::strlen(g_frontEnd.title[1]), 255u - 7u);
    EXPECT_STREQ(g_frontEnd.subtitle[1], "");
    EXPECT_STREQ(g_frontEnd.artist[1], sjis("作者 名前"));
    EXPECT_STREQ(g_frontEnd.genre[1], "");
}

TEST(GameDiscovery, TheTableHoldsTwoHundredFiftySixGamesAndSkipsFoldersItCannotEnter) {
    TempFolder root;
    for (int i = 0; i < 260; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "g%03d", i);
        root.writeGameFolder(name, "#title t\n");
    }
    scanIn(root);
    EXPECT_EQ(g_frontEnd.count, 256);
    EXPECT_STREQ(g_frontEnd.folder[255], "g255");
    g_frontEnd.count = 0;
    std::string home = currentFolder();
    g_frontEnd.scanFolder("no-such-folder", "");
    EXPECT_EQ(g_frontEnd.count, 0);
    EXPECT_EQ(currentFolder(), home);
}

// A game folder that is a symbolic link to a folder elsewhere: discovery, the launch and the direct
// start all come back to the working folder itself, not to the link target's parent.
TEST(GameDiscovery, AGameFolderMayBeASymbolicLink) {
    TempFolder root, elsewhere;
    mkdir(elsewhere.file("deep").c_str(), 0755);
    elsewhere.writeGameFolder("deep/linked", header(1) + "@goto(end);");
    ASSERT_EQ(symlink(elsewhere.file("deep/linked").c_str(), root.file("a-link").c_str()), 0);
    root.writeGameFolder("b-plain", header(2));
    scanIn(root);
    EXPECT_EQ(g_frontEnd.count, 2);
    EXPECT_STREQ(g_frontEnd.folder[1], "b-plain");
    // The title picture is found again after the linked game ends, and after a direct start whose
    // script is missing.
    writeFile(root.file("start.dat"), "a-link missing.zeb\n");
    RunResult run = runHeadless(root, toMenu() + "click " + kLoad + "\nwait 6000\nshot back\n");
    EXPECT_EQ(run.errors, "");
    EXPECT_FALSE(readFile(root.file("back.png")).empty());
}

// The logo fades in, dissolves, holds and fades out in about seven seconds; a click on the title
// picture brings the page, which says there are no games; "後" and "ロード" come back to it, and "終了"
// fades out and ends the program.
TEST(FrontEndMenu, WithoutGamesSaysSoAndLoadComesBackToTheSamePageAndQuitEnds) {
    TempFolder root;
    RunResult run = runHeadless(root,
                                "wait 8000\nshot logo\nwait 3000\nshot title\nclick 5 5\nwait 2000\n"
                                "shot empty\nclick " +
                                    std::string(kNext) + "\nwait 500\nmove 5 5\nwait 500\nshot next\nclick " +
                                    kLoad + "\nwait 4000\nmove 5 5\nwait 500\nshot again\nclick " + kQuit +
                                    "\nwait 400\nshot fading\nwait 5000\nshot gone\n");
    EXPECT_EQ(run.errors, "");
    expectShotGolden("logo", root.file("logo.png"));
    expectShotGolden("front-title", root.file("title.png"));
    for (const char* shot : {"empty.png", "next.png", "again.png"})
        expectShotGolden("menu-empty", root.file(shot));
    EXPECT_FALSE(readFile(root.file("fading.png")).empty());
    EXPECT_TRUE(readFile(root.file("gone.png")).empty());
    // Holding Ctrl runs the whole sequence at drawing speed.
    TempFolder fast;
    runHeadless(fast, "down ctrl\nwait 3500\nshot title\n");
    expectShotGolden("front-title", fast.file("title.png"));
}

// The page turns without wrapping and highlights the item under the pointer; a game launched from it
// comes back to the same entry, and every start of a game finds the flags cleared.
TEST(FrontEndMenu, LaunchesTheGameAndComesBackToTheSameEntry) {
    TempFolder root;
    writeGames(root, 12);
    root.writeGameFolder("game03", header(3) +
                                       "@flagselect(3,=,0,fresh,stale);@name(stale);@stale();"
                                       "@name(fresh);@flag(3,=,1);@wait(100);@goto(end);");
    std::string launch = std::string("click ") + kLoad + "\nwait 6000\n";
    RunResult run = runHeadless(root, toMenu() + "click " + kPrevious + "\nwait 500\nclick " + kNext +
                                          "\nwait 500\nclick " + kNext + "\nwait 500\nmove " + kLoad +
                                          "\nwait 300\nshot third\n" + launch + "shot back\n" + launch);
    EXPECT_EQ(run.errors, "");
    // The window's title names the game while it runs.
    size_t playing = run.trace.find("window title ゲーム3 - Ｚｅｂｏｒａ");
    EXPECT_NE(playing, std::string::npos) << run.trace;
    EXPECT_NE(run.trace.find("window title Ｚｅｂｏｒａ\n", playing), std::string::npos) << run.trace;
    expectShotGolden("menu-third-of-twelve", root.file("third.png"));
    expectShotGolden("menu-third-of-twelve", root.file("back.png"));
    TempFolder one;
    writeGames(one, 1);
    runHeadless(one, toMenu() + "click " + kNext + "\nwait 500\nmove 5 5\nwait 300\nshot one\n");
    expectShotGolden("menu-one-game", one.file("one.png"));
    // A game that fails shows the game's own message from its folder.
    one.writeGameFolder("game01", header(1) + "@ran();");
    run = runHeadless(one, toMenu() + "click " + kLoad + "\nwait 5000\n");
    EXPECT_EQ(run.errors, unknownCommand("ran"));
}

// The keyboard works the page as the pointer does: Up from no item lights the last, "終了", and Return
// picks it.
TEST(FrontEndMenu, UpAndReturnPickTheLastItem) {
    TempFolder root;
    writeGames(root, 2);
    RunResult run = runHeadless(root, toMenu() + "key up\nwait 300\nkey return\nwait 3000\nshot still\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(readFile(root.file("still.png")).empty()) << "the page did not end the program";
}

// Dropped onto the page: a path that is no game is said and changes nothing; a game folder plays at
// once; one dropped while it plays is forgotten. The next time the page lists the dropped game, and
// an archive dropped beside it plays from memory and is listed after it.
TEST(FrontEndMenu, ADroppedGamePlaysAtOnceAndIsListedFromThenOn) {
    TempFolder root, shelf, data;
    EnvironmentVariable dataHome("XDG_DATA_HOME", data.file("home").c_str());
    shelf.writeGameFolder("dropped", "#title 落とした\n落としたゲーム。\\c");
    shelf.writeGameFolder("other", "#title 別\n別のゲーム。\\c");
    ASSERT_EQ(std::system((std::string(kDebianPython) + " '" + ZEBORA_SOURCE_DIR +
                           "/tests/make_archives.py' game '" + ZEBORA_SOURCE_DIR + "/games/omikuji' '" +
                           shelf.path() + "'")
                              .c_str()),
              0);
    auto drop = [&](const std::string& name) { return "drop " + shelf.file(name) + "\nwait 3000\n"; };
    auto played = [](const RunResult& run, const std::string& title) {
        return run.trace.find("window title " + title + " - Ｚｅｂｏｒａ") != std::string::npos;
    };
    RunResult first = runHeadless(root, toMenu() + drop("nothing") + drop("dropped") + drop("other") +
                                            "click 5 5\nwait 6000\n" + drop("game.zip") + "wait 9000\n");
    EXPECT_NE(first.trace.find("notice ゲームが見つかりませんでした"), std::string::npos) << first.trace;
    EXPECT_TRUE(played(first, "落とした")) << first.trace;
    EXPECT_FALSE(played(first, "別")) << first.trace;
    EXPECT_TRUE(played(first, "夕暮れのおみくじ")) << first.trace;
    EXPECT_EQ(readFile(data.file("home/zebora/dropped.txt")),
              shelf.file("dropped") + "\n" + shelf.file("game.zip") + "\n");

    RunResult next =
        runHeadless(root, toMenu() + "click " + kLoad + "\nwait 3000\nclick 5 5\nwait 6000\n" + "click " +
                              kNext + "\nwait 1000\nclick " + kLoad + "\nwait 9000\n");
    EXPECT_TRUE(played(next, "落とした")) << next.trace;
    EXPECT_TRUE(played(next, "夕暮れのおみくじ")) << next.trace;
}

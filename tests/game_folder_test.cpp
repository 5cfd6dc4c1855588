// A game folder may come from an archive or the internet: the files it names stay inside the folder
// that holds it, and no file in it can stop the player for ever.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "test_support.h"

namespace {

// A run that hangs is killed, and fails, rather than blocking the suite.
const char kTimeLimit[] = "timeout -s KILL 20 ";

// The selection page after the logo and the title picture, then "ロード" on its first game.
const char kLaunchFromMenu[] = "wait 11000\nclick 5 5\nwait 2000\nclick 190 235\nwait 6000\n";

std::string picture(const char* name) {
    return readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/" + name);
}

std::string notFound(const std::string& name) {
    return fatalLine(name + " ファイルが見つかりません");
}

}  // namespace

// A name leading out of the folder that holds the game's folder, by "..", as an absolute path or
// through a link, counts as missing, and so does what start.dat names there; one step up, a link that
// stays inside and the reader's own game reached through a link are found. --check agrees.
TEST(GameFolder, WhatAGameNamesStaysInsideTheFolderThatHoldsIt) {
    TempFolder root, outside;
    root.writeGame("");
    root.copyDemoPictures();
    writeFile(outside.file("secret.bmp"), picture("hill.bmp"));
    writeFile(outside.file("secret.zeb"), "@outside();");
    mkdir(root.file("shared").c_str(), 0755);
    writeFile(root.file("shared/bg.bmp"), picture("hill.bmp"));
    ASSERT_EQ(symlink("../shared/bg.bmp", root.file("game/inside.bmp").c_str()), 0);
    ASSERT_EQ(symlink(outside.file("secret.bmp").c_str(), root.file("game/leak.bmp").c_str()), 0);
    ASSERT_EQ(symlink(outside.path().c_str(), root.file("link").c_str()), 0);
    const std::string away = outside.path().substr(outside.path().rfind('/') + 1);
    const std::string upTwice = "..\\..\\" + away + "\\secret.bmp";
    const struct {
        std::string start, script, errors;
    } cases[] = {
        {"game story.zeb", "@bgload(" + upTwice + ",0,0);@found();", notFound(upTwice)},
        {"game story.zeb", "@plload(" + upTwice + ");@found();",
         fatalLine("@plloadで指定したファイルが見つかりません")},
        {"game story.zeb", "@bgload(" + outside.file("secret.bmp") + ",0,0);@found();",
         notFound(outside.file("secret.bmp"))},
        {"game story.zeb", "@bgload(leak.bmp,0,0);@found();", notFound("leak.bmp")},
        {"game " + outside.file("secret.zeb"), "", ""},
        {"..\\" + away + " secret.zeb", "", ""},
        {"link secret.zeb", "", ""},
        {"game story.zeb", "@bgload(..\\shared\\bg.bmp,0,0);@bgload(inside.bmp,0,0);@found();",
         unknownCommand("found")},
    };
    for (const auto& c : cases) {
        root.writeGame(c.script);
        writeFile(root.file("start.dat"), c.start + "\n");
        EXPECT_EQ(runHeadless(root, "wait 3000\n").errors, c.errors) << c.start << " " << c.script;
    }

    root.writeGame("#title 外\n@bgload(" + upTwice +
                   ",0,0);\n@bgload(leak.bmp,0,0);\n@bgload(inside.bmp,0,0);\n");
    const std::string file = root.file("game/story.zeb:");
    EXPECT_EQ(commandOutput(std::string(ZEBORA_BINARY) + " --check '" + root.file("game") + "'"),
              file + "2: " + upTwice + " ファイルが見つかりません\n" + file +
                  "3: leak.bmp ファイルが見つかりません\n");

    // The reader's own game on a disc, reached through a link: one step up from where it lies.
    TempFolder start, files;
    unlink(start.file("function.dat").c_str());
    mkdir(outside.file("disc").c_str(), 0755);
    mkdir(outside.file("disc/common").c_str(), 0755);
    writeFile(outside.file("disc/common/bg.bmp"), picture("hill.bmp"));
    outside.writeGameFolder("disc/mine", "#title 私の\n@bgload(..\\common\\bg.bmp,0,0);@mine();");
    std::string games = files.path() + "/data/zebora/games";
    ASSERT_EQ(std::system(("mkdir -p '" + games + "'").c_str()), 0);
    ASSERT_EQ(symlink(outside.file("disc/mine").c_str(), (games + "/mine").c_str()), 0);
    EnvironmentVariable data("XDG_DATA_HOME", (files.path() + "/data").c_str());
    const std::string next = "click 105 235\nwait 500\n";
    std::string reader = kLaunchFromMenu;
    reader.insert(reader.find("click 190"), next + next);
    EXPECT_EQ(runPlayerFrom(start.path(), files, "", reader).errors, unknownCommand("mine"));
}

// A named pipe (a tar archive may carry one) named as each kind of file the player reads is refused
// as that file, with its own message, and the player goes on or ends as it would without the file.
TEST(GameFolder, ANamedPipeNeverStopsThePlayer) {
    const struct {
        const char* pipe;
        const char* script;
        std::string reader, errors;
    } cases[] = {
        {"game/pipe.bmp", "@bgload(pipe.bmp,0,0);", "", notFound("pipe.bmp")},
        {"game/pipe.bmp", "@plload(pipe.bmp);", "", fatalLine("@plloadで指定したファイルが見つかりません")},
        {"game/pipe.mid", "@midi(pipe.mid,1);", "", fatalLine("ＭＩＤＩが再生出来ません。")},
        {"game/pipe.wav", "@sound(pipe.wav,0,0,0);", "",
         "Error: Could not Open Wave File\n" + fatalLine("[pipe.wav]が読み込めません")},
        {"function.dat", "", "", fatalLine("ファイル[function.dat]が見つかりません")},
        {"game/save_0.dat", "@goto(loadstart);@found();", "wait 4000\nclick 300 100\nwait 3000\n",
         unknownCommand("found")},
        {"start.dat", "@found();", kLaunchFromMenu, unknownCommand("found")},
        {"game/story.zeb", "", kLaunchFromMenu, fatalLine("ファイルがオープン出来ません（原因不明）")},
    };
    for (const auto& c : cases) {
        TempFolder root;
        root.writeGame(c.script);
        unlink(root.file(c.pipe).c_str());
        ASSERT_EQ(mkfifo(root.file(c.pipe).c_str(), 0644), 0);
        RunResult run = runHeadless(root, c.reader, kTimeLimit);
        EXPECT_EQ(run.status, 1) << c.pipe;
        EXPECT_EQ(run.errors, c.errors) << c.pipe << " " << c.script;
    }
}

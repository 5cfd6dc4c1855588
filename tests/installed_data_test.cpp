// Started outside a working folder, the player plays from its own data: a game named on the command
// line at once, or the page with the demo games and the reader's own. Started in a working folder it
// keeps to that folder, as the engine always did.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdlib>

#include "test_support.h"

TEST(NamedGame, AFolderCopiedFromADiscPlaysWithTheInstalledSystemFiles) {
    TempFolder start, files;
    unlink(start.file("function.dat").c_str());
    mkdir(start.file("disc").c_str(), 0755);
    writeFile(start.file("disc/STORY.ZEB"), toSjis("@wait(10);@after();"));
    RunResult run = runPlayerFrom(start.path(), files, "disc", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, unknownCommand("after"));
    EXPECT_NE(run.trace.find("window title disc - Ｚｅｂｏｒａ"), std::string::npos) << run.trace;

    run = runPlayerFrom(start.path(), files, "nowhere", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("nowhere"), std::string::npos) << run.errors;
}

// Started in a working folder, the player keeps its function.dat, as the engine always did, and plays
// the script named rather than the folder's first.
TEST(NamedGame, AScriptNamedInAWorkingFolderPlaysWithThatFoldersCommandNames) {
    TempFolder root, files;
    std::string names = readFile(root.file("function.dat"));
    names.replace(names.find("4 wait"), 6, "4 pause");
    writeFile(root.file("function.dat"), names);
    root.writeGameFolder("disc", "@pause(10);@first();");
    writeFile(root.file("disc/second.zeb"), toSjis("@pause(10);@second();"));
    RunResult run = runPlayerFrom(root.path(), files, "'" + root.file("disc/second.zeb") + "'", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, unknownCommand("second"));
}

// The build's player takes the source tree's games/ as its data: the two demo games come first, then
// the reader's own games, where a copy of a demo game takes the demo game's place.
TEST(InstalledData, ThePageListsTheReadersOwnGamesAfterTheDemoGames) {
    TempFolder start, files;
    unlink(start.file("function.dat").c_str());
    std::string games = files.path() + "/data/zebora/games";
    ASSERT_EQ(std::system(("mkdir -p '" + games + "/mine' '" + games + "/hanami'").c_str()), 0);
    writeFile(games + "/mine/story.zeb", toSjis("#title 私の\n@mine();"));
    writeFile(games + "/hanami/story.zeb", toSjis("#title 私の花見\n@myHanami();"));
    EnvironmentVariable data("XDG_DATA_HOME", (files.path() + "/data").c_str());
    std::string menu = "wait 11000\nclick 5 5\nwait 2000\n", next = "click 105 235\nwait 500\n",
                load = "click 190 235\nwait 6000\n";
    RunResult run = runPlayerFrom(start.path(), files, "", menu + load);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, unknownCommand("myHanami"));
    run = runPlayerFrom(start.path(), files, "", menu + next + next + load);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, unknownCommand("mine"));
}

// An installed tree finds its data beside its bin folder wherever it was put: the staged function.dat,
// which calls the wait command "pause", plays a game that the source tree's would refuse.
TEST(InstalledData, AnInstalledPlayerFindsItsDataBesideItsBinFolder) {
    TempFolder start, prefix;
    unlink(start.file("function.dat").c_str());
    std::string install = std::string(CMAKE_PROGRAM) + " --install '" + ZEBORA_BUILD_DIR + "' --prefix '" +
                          prefix.file("usr") + "' > /dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    for (const char* file :
         {"share/applications/zebora.desktop", "share/icons/hicolor/48x48/apps/zebora.png",
          "share/man/man6/zebora.6", "share/zebora/hanami/story.zeb", "share/doc/zebora/scripting.md",
          "share/mime/packages/zebora.xml", "share/metainfo/io.github.zebora.Zebora.metainfo.xml"}) {
        EXPECT_FALSE(readFile(prefix.file("usr/") + file).empty()) << file;
    }
    std::string data = prefix.file("usr/share/zebora/function.dat");
    std::string names = readFile(data);
    names.replace(names.find("4 wait"), 6, "4 pause");
    writeFile(data, names);
    writeFile(start.file("story.zeb"), toSjis("@pause(10);@staged();"));
    std::string command = "cd '" + start.path() + "' && '" + prefix.file("usr/bin/zebora") +
                          "' --headless story.zeb 2> '" + start.file("errors.txt") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    EXPECT_EQ(readFile(start.file("errors.txt")), unknownCommand("staged"));
}

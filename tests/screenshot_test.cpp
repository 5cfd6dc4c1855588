// F12 through the headless reader: the screenshot is the reader's picture, named after the game and the
// local time, in the pictures folder the desktop names; it never replaces a file, never lands in the game's
// folder, and one that cannot be written is said once while the game goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/window/png_file.h"
#include "test_support.h"

namespace {

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

std::vector<uint8_t> pixelsOf(const std::string& png) {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (!readPng(png.c_str(), rgb, width, height) || width != 640 || height != 480) rgb.clear();
    return rgb;
}

// The time in Japan, kept as UTC+9 by the TZ the player is given below.
std::time_t japaneseStamp(const std::string& stamp) {
    std::tm time = {};
    strptime(stamp.c_str(), "%Y%m%d-%H%M%S", &time);
    return timegm(&time) - 9 * 60 * 60;
}

const char kPicture[] = "#title 夕暮れ\n@bgload(hill.bmp,0,0);見えている文字。\\c";

}  // namespace

// The game is launched from the menu page, from a folder whose name holds Japanese and a character that
// Windows refuses. XDG_PICTURES_DIR is relative, which would lead into the game's folder, so the pictures
// folder is the one user-dirs.dirs names, made with its parent. Two F12s at once give two files; after
// the game the page's screenshot is named after the player.
TEST(Screenshots, F12WritesWhatTheReaderSeesIntoThePicturesFolderUnderTheGamesName) {
    TempFolder root, home;
    const std::string game = "夕暮れ:2";
    root.writeGameFolder(game, kPicture);
    writeFile(root.file(game + "/hill.bmp"),
              readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/hill.bmp"));
    mkdir(home.file(".config").c_str(), 0755);
    writeFile(home.file(".config/user-dirs.dirs"),
              "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/ピクチャ\"\n");
    const std::set<std::string> gameFiles = filesIn(root.file(game));
    std::time_t before = std::time(nullptr);
    RunResult run =
        runHeadless(root,
                    "wait 11000\nclick 5 5\nwait 2000\nclick 190 235\nwait 6000\n"
                    "key f12\nkey f12\nshot same\nclick 5 5\nwait 6000\nkey f12\nwait 500\n",
                    "env -u XDG_CONFIG_HOME XDG_PICTURES_DIR=pictures HOME='" + home.path() + "' TZ=JST-9 ");
    std::time_t after = std::time(nullptr);
    EXPECT_EQ(run.errors, "");
    const std::string folder = home.file("ピクチャ/Zebora");
    std::set<std::string> shots = filesIn(folder);
    ASSERT_EQ(shots.size(), 3u);
    const std::regex name("(夕暮れ_2|zebora)-(\\d{8}-\\d{6})(-2)?\\.png");
    std::vector<uint8_t> seen = pixelsOf(root.file("same.png"));
    ASSERT_FALSE(seen.empty());
    int ofTheGame = 0;
    for (const std::string& shot : shots) {
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(shot, parts, name)) << shot;
        std::time_t stamp = japaneseStamp(parts[2]);
        EXPECT_TRUE(stamp >= before - 1 && stamp <= after + 1) << shot;
        EXPECT_NE(run.trace.find("screenshot " + folder + "/" + shot + "\n"), std::string::npos) << shot;
        if (parts[1] != "夕暮れ_2") continue;
        ++ofTheGame;
        EXPECT_TRUE(pixelsOf(folder + "/" + shot) == seen) << shot;
    }
    EXPECT_EQ(ofTheGame, 2);
    EXPECT_EQ(filesIn(root.file(game)), gameFiles);
}

// Writing is refused where the pictures folder cannot be made, and into a folder that holds the game even
// when the desktop names it; each time the reason is said once, and the click after the two F12s still
// reaches the end of the script.
TEST(Screenshots, OneThatCannotBeWrittenIsSaidOnceAndTheGameGoesOn) {
    TempFolder root, home;
    root.writeGame(std::string(kPicture) + "@wenton();");
    root.copyDemoPictures();
    writeFile(root.file("a-file"), "");
    const std::string reader = "wait 4000\nkey f12\nkey f12\nclick 5 5\nwait 1000\n";
    const std::string homeIs = "env HOME='" + home.path() + "' ";
    RunResult blocked =
        runHeadless(root, reader, homeIs + "XDG_PICTURES_DIR='" + root.file("a-file/pictures") + "' ");
    EXPECT_EQ(blocked.errors, "zebora: cannot take a screenshot: cannot make the folder " +
                                  root.file("a-file/pictures") + ": Not a directory\n" +
                                  unknownCommand("wenton"));
    EXPECT_FALSE(std::filesystem::exists(home.file("Pictures")));
    // The game in a folder of a folder named like the player's own, inside the pictures folder.
    TempFolder inPictures;
    mkdir(inPictures.file("Zebora").c_str(), 0755);
    inPictures.writeGameFolder("Zebora/game", std::string(kPicture) + "@wenton();");
    writeFile(inPictures.file("Zebora/game/hill.bmp"), readFile(root.file("game/hill.bmp")));
    writeFile(inPictures.file("start.dat"), "Zebora\\game story.zeb\n");
    const std::set<std::string> around = filesIn(inPictures.file("Zebora"));
    RunResult refused =
        runHeadless(inPictures, reader, homeIs + "XDG_PICTURES_DIR='" + inPictures.path() + "' ");
    EXPECT_EQ(refused.errors, "zebora: cannot take a screenshot: will not write into " +
                                  inPictures.file("Zebora") + ": the player runs from there\n" +
                                  unknownCommand("wenton"));
    EXPECT_EQ(filesIn(inPictures.file("Zebora")), around);
}

// The platform layer: finding and replacing game files, the reader's action file, the boundary around the
// platform libraries, and a machine without a display.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/files/file_system.h"
#include "platform/files/text_encoding.h"
#include "test_support.h"

TEST(GameFiles, AreFoundAsWindowsFindsThemAlsoFromStartDat) {
    TempFolder root;
    mkdir(root.file("Pics").c_str(), 0755);
    mkdir(root.file("Pics/Sub").c_str(), 0755);
    writeFile(root.file("Pics/Sub/Bg01.BMP"), "x");
    writeFile(root.file("Pics/背景.bmp"), "xyz");
    char path[1024];
    resolveGamePath((root.path() + "\\pics\\SUB\\bg01.bmp").c_str(), path, sizeof path);
    EXPECT_EQ(std::string(path), root.file("Pics/Sub/Bg01.BMP"));
    uint32_t size = 0;
    EXPECT_TRUE(findFile((root.path() + "/PICS\\" + toSjis("背景.BMP")).c_str(), size));
    EXPECT_EQ(size, 3u);
    EXPECT_FALSE(findFile((root.path() + "/Pics/missing.bmp").c_str(), size));
    EXPECT_FALSE(findFile((root.path() + "/Pics").c_str(), size));
    // So are the names of start.dat.
    root.writeGame("@found();");
    writeFile(root.file("start.dat"), "GAME Story.ZEB\r\n");
    EXPECT_EQ(runHeadless(root, "").errors, unknownCommand("found"));
}

// Bookmarks are written whole or not at all: a write refused half-way, here by the file size limit of a
// child process, leaves the old file as it was and no temporary file beside it.
TEST(GameFiles, AreReplacedWholeOrNotAtAll) {
    TempFolder root;
    writeFile(root.file("Save1.dat"), "an older and longer bookmark");
    const std::string name = root.path() + "/SAVE1.DAT";
    EXPECT_TRUE(replaceGameFile(name.c_str(), "new"));
    EXPECT_EQ(readFile(root.file("Save1.dat")), "new");
    pid_t child = fork();
    if (child == 0) {
        rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        _exit(replaceGameFile(name.c_str(), "a bookmark beyond the limit") ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(readFile(root.file("Save1.dat")), "new");
    EXPECT_FALSE(std::filesystem::exists(root.file("Save1.dat.tmp")));
    EXPECT_FALSE(std::filesystem::exists(root.file("SAVE1.DAT")));
    EXPECT_TRUE(removeGameFile(name.c_str()));
    EXPECT_FALSE(std::filesystem::exists(root.file("Save1.dat")));
    EXPECT_FALSE(removeGameFile(name.c_str()));
}

// The engine's own texts are converted by what they say, however many and wherever they lie.
TEST(EngineTexts, AreConvertedByTheirTextNotTheirAddress) {
    char buffer[32] = "あ";
    const char* first = sjis(buffer);
    std::strcpy(buffer, "い");
    EXPECT_STREQ(sjis(buffer), "\x82\xa2");
    EXPECT_STREQ(first, "\x82\xa0");
    for (int i = 0; i < 5000; ++i) {
        std::snprintf(buffer, sizeof buffer, "テキスト%d", i);
        ASSERT_EQ(sjis(buffer), sjis(std::string(buffer).c_str())) << i;
        ASSERT_EQ(std::string(sjis(buffer)), toSjis(buffer)) << i;
    }
}

TEST(ReaderFile, AMistakeNamesItsLineAndStopsThePlayerBeforeItStarts) {
    for (const char* bad :
         {"jump 3", "wait", "wait -5", "click 10", "key f13", "close now", "move 1 x", "pad z", "tap 5"}) {
        RunResult run = runScript("@x();", std::string("# comment\nwait 1 # here\nup f12\n") + bad + "\n");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find("reader line 4"), std::string::npos) << bad << ": " << run.errors;
        EXPECT_EQ(run.errors.find(unknownCommand("x")), std::string::npos) << bad;
    }
}

TEST(ReaderFile, AReaderThatNeverClosesIsStoppedAfterAnHourOfEngineTime) {
    RunResult run = runScript("@wait(5000000);@after();", "wait 9000000\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "reader: one hour of engine time has passed; closing the window\n");
}

// The hour is counted from the reader's last action, so a long reader that keeps acting plays on.
TEST(ReaderFile, AReaderThatKeepsActingPlaysOnPastAnHour) {
    RunResult run = runScript("@wait(5000000);@after();", "wait 3000000\nmove 1 1\nwait 3000000\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
}

TEST(Player, SaysHowToRunWithoutADisplay) {
    TempFolder root;
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                          std::string(ZEBORA_BINARY) + " --root '" + root.path() + "' 2> '" +
                          root.file("err.txt") + "'";
    int status = std::system(command.c_str());
    EXPECT_NE(status, 0);
    std::string errors = readFile(root.file("err.txt"));
    EXPECT_NE(errors.find("no display"), std::string::npos) << errors;
    EXPECT_NE(errors.find("--headless"), std::string::npos) << errors;
}

// make play with nothing to build says nothing of its own, and a player that ends with its status 1
// (here: no display to open a window on) is no error of make's. Bookmarks made while playing the
// bundled games stay out of git's way.
TEST(MakePlay, NothingToBuildAndTheEndOfTheGameAreSilent) {
    TempFolder out;
    std::string build = std::filesystem::path(ZEBORA_BINARY).parent_path().string();
    // As the reader types it: not from inside another make, whose level would have make name folders.
    std::string command =
        "cd '" + std::string(ZEBORA_SOURCE_DIR) +
        "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u MAKEFLAGS -u MAKELEVEL "
        "-u MFLAGS make play BUILD='" +
        build + "' > '" + out.file("said.txt") + "' 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << readFile(out.file("said.txt"));
    std::istringstream said(readFile(out.file("said.txt")));
    int lines = 0;
    for (std::string line; std::getline(said, line); ++lines)
        EXPECT_TRUE(line.rfind("zebora: ", 0) == 0 || line.rfind("To run without a window", 0) == 0) << line;
    EXPECT_EQ(lines, 2);
    std::string git = "git -C '" + std::string(ZEBORA_SOURCE_DIR) + "' ";
    if (std::system((git + "rev-parse 2>/dev/null").c_str()) != 0) return;  // not a checkout
    for (const char* bookmark : {"games/hanami/save_0.dat", "games/omikuji/save_2.dat.tmp"})
        EXPECT_EQ(std::system((git + "check-ignore -q " + bookmark).c_str()), 0) << bookmark;
}

TEST(Player, AnswersHelpAndVersionOnStdoutAndRefusesWhatItDoesNotKnow) {
    TempFolder root;
    auto run = [&root](const std::string& options) {
        std::string command = std::string(ZEBORA_BINARY) + " " + options + " > '" + root.file("out.txt") +
                              "' 2> '" + root.file("err.txt") + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    const struct {
        const char* options;
        const char* printed;
    } answered[] = {
        {"--help", "usage: zebora"},
        {"-h", "usage: zebora"},
        {"--headless --version", "zebora "},
        {"-V", "zebora "},
    };
    for (const auto& row : answered) {
        EXPECT_EQ(run(row.options), 0) << row.options;
        EXPECT_EQ(readFile(root.file("out.txt")).rfind(row.printed, 0), 0u) << row.options;
    }
    EXPECT_EQ(run("--fast"), 1);
    EXPECT_NE(readFile(root.file("err.txt")).find("usage: zebora"), std::string::npos);
    EXPECT_EQ(readFile(root.file("out.txt")), "");
}

// The reader file and the shots are named from the folder the player was started in, not from the
// working folder it enters; a shots folder that is not there yet is made.
TEST(Player, TakesRelativePathsFromTheFolderItWasStartedIn) {
    TempFolder root, start;
    root.writeGame("@wait(5000);");
    writeFile(start.file("r.txt"), "wait 3000\nshot here\n");
    std::string player = "cd '" + start.path() + "' && " + ZEBORA_BINARY + " --headless --root '" +
                         root.path() + "' --reader r.txt";
    EXPECT_EQ(WEXITSTATUS(std::system((player + " --shots shots/new").c_str())), 1);
    EXPECT_FALSE(readFile(start.file("shots/new/here.png")).empty());
    EXPECT_EQ(WEXITSTATUS(std::system(player.c_str())), 1);
    EXPECT_FALSE(readFile(start.file("here.png")).empty());
    EXPECT_TRUE(readFile(root.file("game/here.png")).empty());
}

// The file formats and the lookup of game files need none of them either (iconv is the C library's).
TEST(PlatformBoundary, OnlyThePlatformLayerIncludesThePlatformLibraries) {
    const std::regex forbidden(
        R"(#\s*include\s*[<"](SDL|png\.h|iconv\.h|ft2build\.h|fontconfig|fluidsynth|freetype|libwebsockets|archive))");
    auto needsNone = [](const std::string& relative) {
        return relative.rfind("platform/", 0) != 0 || relative.rfind("platform/formats/", 0) == 0 ||
               (relative.rfind("platform/files/", 0) == 0 &&
                relative.find("text_encoding") == std::string::npos);
    };
    namespace fs = std::filesystem;
    fs::path source = fs::path(ZEBORA_SOURCE_DIR) / "src";
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file()) continue;
        std::string relative = fs::relative(entry.path(), source).string();
        if (!needsNone(relative)) continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            EXPECT_FALSE(std::regex_search(line, forbidden)) << relative << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

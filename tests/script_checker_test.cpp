// zebora --check: every problem of a script reported at the line of the file where it stands.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "commands/command_rows.h"
#include "indexed_picture.h"
#include "test_support.h"

namespace {

std::string check(const std::string& path) {
    return commandOutput(std::string(ZEBORA_BINARY) + " --check '" + path + "' 2>&1; echo status $?");
}

}  // namespace

TEST(ScriptChecker, FindsNothingWrongInTheDemoGames) {
    EXPECT_EQ(check(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/"), "status 0\n");
    EXPECT_EQ(check(std::string(ZEBORA_SOURCE_DIR) + "/games/omikuji/story.zeb"), "status 0\n");
}

// Every problem of a script at the line of the file where it stands, past header lines, comments and
// blank lines; each command stops at its first; a file name in any case finds its file; a place named
// twice and header lines the selection page would cut or miss are said too.
TEST(ScriptChecker, ReportsEveryProblemAtItsLine) {
    TempFolder root;
    root.writeGameFolder("game", "#subtitle " + repeat("試し", 150) +
                                     "\n"
                                     "@start(0.21);\n"
                                     "// the pictures\n"
                                     "\n"
                                     "@bgload(NoThere.bmp,0,0);\n"
                                     "  @bgload(ROOM.BMP,0,0);@objload(gone.bmp,0,15,0);  // two\n"
                                     "@name(here);@name(here);\n"
                                     "@textcolor(3,256,0,0)\n"
                                     "@flagselect(1,=,0,here,gone);\n");
    writeFile(root.file("game/room.bmp"),
              readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/hanami/room.bmp"));
    std::string file = root.file("game") + "/story.zeb:";
    EXPECT_EQ(check(root.file("game")),
              file + "1: #subtitle の行は長すぎて、255バイトまでしか出ません\n" + file +
                  "1: #title の行がないので、選択画面にゲームの名前が出ません\n" + file +
                  "5: NoThere.bmp ファイルが見つかりません\n" + file +
                  "6: ファイルが開けません（objload関連)\n" + file +
                  "7: [here]この場所名は前にも付けられています（前のものへ飛びます）\n" + file +
                  "8: [@textcolor(3,256,0,0]関数の後にはセミコロン';'を付けましょう\n" + file +
                  "9: [gone]指定された場所名が見つかりません\n" + "status 1\n");
}

// The two mistakes a new author makes first, said as warnings that leave the status 0: a picture laid
// over the scene with no pixel of the transparent colour, and a background with some. The colour is
// followed in reading order as the handlers set it: a character picture's entry 1 (objloadxy into a
// half place reads its picture first), a palette file's, settrans's until -1, -1, -1.
TEST(ScriptChecker, WarnsOfPicturesWhoseTransparentColourIsNotWhatTheAuthorMeant) {
    TempFolder root;
    root.writeGameFolder("game", "");
    root.copyDemoPictures();
    IndexedPicture green(64, 64, 5);  // its right half in its own key colour, green
    green.palette()[1] = {0, 255, 0};
    green.palette()[5] = {200, 100, 50};
    green.fillRect(32, 0, 32, 64, 1);
    writeFile(root.file("game/green.bmp"), green.bmpBytes());
    const std::string file = root.file("game") + "/story.zeb:";
    const std::string covers = "透明色の点がないので、下の絵が透けて見えません";
    const std::string magenta = "（透明色はパレット1番の 255,0,255）\n";
    const struct {
        std::string script;
        std::string said;
    } cases[] = {
        {"@plload(hill.bmp);@bgload(hill.bmp,0,0);\n@objload(sakura.bmp,0,0,0);", "status 0\n"},
        {"@plload(hill.bmp);\n@bgload(sakura.bmp,0,0);",
         file + "3: warning: [sakura.bmp]背景の絵に透明色の点があり、そこには前の画面が残ります" + magenta +
             "status 0\n"},
        {"@plload(hill.bmp);\n@objload(hill.bmp,0,0,0);\n@objload(hill.bmp,2,0,0);",
         file + "3: warning: [hill.bmp]" + covers + magenta + "status 0\n"},
        {"@settrans(0,128,0);\n@objload(sakura.bmp,0,0,0);",
         file + "3: warning: [sakura.bmp]" + covers + "（透明色はパレット1番の 0,128,0）\nstatus 0\n"},
        {"@settrans(0,128,0);@settrans(-1,-1,-1);\n@objload(sakura.bmp,0,0,0);", "status 0\n"},
        {"@plload(hill.bmp);\n@objloadxy(green.bmp,0,0,0,64,64,0,0);",
         file + "3: warning: [green.bmp]" + covers + magenta + "status 0\n"},
        {"@plload(hill.bmp);\n@objloadxy(green.bmp,3,0,0,64,64,0,0);", "status 0\n"},
        {"@objloadf(green.bmp,0,0,64,64,0,0);\n@objloadf(green.bmp,0,0,32,64,0,0);",
         file + "3: warning: [green.bmp]" + covers + "（透明色はパレット1番の 0,255,0）\nstatus 0\n"},
        {"@bgload(sakura.bmp,0,0);", "status 0\n"},
        {"@plload(hill.bmp);\n@objload(hill.bmp,0,0,0);\n@goto(nowhere);",
         file + "3: warning: [hill.bmp]" + covers + magenta + file +
             "4: [nowhere]指定された場所名が見つかりません\nstatus 1\n"},
    };
    for (const auto& c : cases) {
        writeFile(root.file("game/story.zeb"), toSjis("#title 試し\n" + c.script));
        EXPECT_EQ(check(root.file("game")), c.said) << c.script;
    }
}

// The game is found as zebora GAME finds it, with the command names of the installed data when the
// current folder has none: a folder copied from a disc checks where it lies. A path that is no game
// gets one line.
TEST(ScriptChecker, FindsAGameAndItsCommandNamesAsThePlayerDoes) {
    TempFolder disc;
    unlink(disc.file("function.dat").c_str());
    disc.writeGameFolder("mygame", "#title 試し\n@wait(10);");
    mkdir(disc.file("empty").c_str(), 0755);
    const struct {
        std::string path;
        std::string said;
    } cases[] = {
        {"mygame", "status 0\n"},
        {"mygame/story.zeb", "status 0\n"},
        {"nowhere",
         "zebora: nowhere is neither a game folder holding a .zeb script nor a script\nstatus 1\n"},
        {"empty", "zebora: empty is neither a game folder holding a .zeb script nor a script\nstatus 1\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandOutput("cd '" + disc.path() + "' && " + ZEBORA_BINARY + " --check " + c.path +
                                " 2>&1; echo status $?"),
                  c.said)
            << c.path;
}

// The bundled function.dat names each row of the command table at its index, as the engine's did.
TEST(CommandRows, StandWhereTheBundledFunctionDatNamesThem) {
    std::istringstream lines(readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/function.dat"));
    int index = 0, read = 0;
    std::string name;
    while (lines >> index >> name) {
        ASSERT_LT(index, kCommandRowCount) << name;
        EXPECT_EQ(name, kCommandRows[index].name) << index;
        ++read;
    }
    EXPECT_EQ(read, kCommandRowCount);
}

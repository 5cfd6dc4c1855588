// Scenes and menus end to end with the demo game's pictures: shots compared with goldens, and the
// branch a click leads to.
#include <gtest/gtest.h>

#include "golden.h"
#include "test_support.h"

namespace {

RunResult runWithPictures(const std::string& script, const std::string& reader, TempFolder& root) {
    root.writeGame(script);
    root.copyDemoPictures();
    return runHeadless(root, reader);
}

}  // namespace

TEST(Scenes, BackgroundCharactersAndAPastedObjectComposeInOrder) {
    TempFolder root;
    RunResult run = runWithPictures(
        "@plload(hill.bmp);@bgload(hill.bmp,1,0);@objload(sakura.bmp,0,2,0);@objload(kaede.bmp,2,13,0);"
        "@objloadxy(petal.bmp,1,128,200,64,64,-1,0);@objloadf(show,160,0,320,480,7,0);@waitclick();@after();",
        "wait 8000\nshot scene\nclick 1 1\nwait 100\n", root);
    EXPECT_EQ(run.errors, unknownCommand("after"));
    expectShotGolden("scene-composed", root.file("scene.png"));
}

TEST(Menus, SelectHighlightsUnderThePointerAndAWrappedChoiceIsClickableOnEveryLine) {
    const std::string script =
        "@plload(hill.bmp);@bgload(hill.bmp,0,0);質問です。\\n"
        "@select(3,はい,yes,いいえ,no,"
        "とても長い選択肢の文章がここに入りますので画面の右端を越えて次の行へ折り返されます,"
        "long);@name(yes);@yes();@name(no);@no();@name(long);@long();";
    TempFolder root;
    RunResult run = runWithPictures(
        script, "wait 6000\nmove 40 90\nwait 200\nshot hover\nclick 100 150\nwait 500\n", root);
    EXPECT_EQ(run.errors, unknownCommand("long"));
    expectShotGolden("select-hover", root.file("hover.png"));
    TempFolder again;
    EXPECT_EQ(runWithPictures(script, "wait 6000\nclick 30 80\nwait 500\n", again).errors,
              unknownCommand("no"));
}

TEST(Menus, ATitleLineLeadingToAMenuLeftEmptyShowsTheTitleAgain) {
    // "消す" opens the list of bookmarks to erase; a right click leaves it for the title.
    TempFolder root;
    RunResult run = runWithPictures(
        "@plload(hill.bmp);@bgload(hill.bmp,0,0);@title(2,250,300,消す,fileinit,はじめる,go);@name(go);@go()"
        ";",
        "wait 5000\nrclick 260 310\nclick 260 310\nwait 1000\nrclick 5 5\nwait 2000\nshot again\nclick 260 "
        "340\n"
        "wait 500\n",
        root);
    EXPECT_EQ(run.errors, unknownCommand("go"));
    expectShotGolden("title-again", root.file("again.png"));
}

TEST(Menus, WaitclickWaitsForTheLeftButtonOnly) {
    EXPECT_EQ(runScript("@waitclick();@after();", "wait 3000\nrclick 5 5\nkey space\nwait 1000\n").errors,
              "");
    EXPECT_EQ(runScript("@waitclick();@after();", "wait 3000\nclick 5 5\nwait 100\n").errors,
              unknownCommand("after"));
}

TEST(Scenes, TheEndOfAGameWipesToTheEmptyScene) {
    TempFolder root;
    RunResult run = runWithPictures("@plload(hill.bmp);@bgload(hill.bmp,0,0);文字。@goto(end);",
                                    "wait 3200\nshot ending\nwait 3000\n", root);
    // The blinds of the wipe are half drawn over the dimmed picture; then the program ends.
    EXPECT_EQ(run.errors, "");
    expectShotGolden("game-ending", root.file("ending.png"));
}

TEST(Menus, TheTenthChoiceIsNumberedTenAndCanBeChosen) {
    std::string script = "@select(10";
    for (int i = 1; i <= 10; ++i)
        script += ",選択" + std::to_string(i) + ",p" + std::to_string(i);
    script += ");";
    for (int i = 1; i <= 10; ++i)
        script += "@name(p" + std::to_string(i) + ");@chose" + std::to_string(i) + "();";
    // Choices start at y 16 and lie 30 apart: the tenth covers y 286 to 312.
    EXPECT_EQ(runScript(script, "wait 5000\nclick 40 300\nwait 500\n").errors, unknownCommand("chose10"));
    EXPECT_EQ(runScript(script, "wait 5000\nclick 40 20\nwait 500\n").errors, unknownCommand("chose1"));
}

// A choice line holds 255 bytes: after the four of "１、", 125 two-byte characters. A longer text is cut
// there, between two characters, with no half character drawn at its end.
TEST(Menus, AChoiceTooLongForItsLineIsCutBetweenCharacters) {
    EXPECT_TRUE(shotAfter("@select(1," + repeat("あ", 130) + ",p);", 6000) ==
                shotAfter("@select(1," + repeat("あ", 125) + ",p);", 6000));
}

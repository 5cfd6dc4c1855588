// The message window: the line-end rule and the page in-process, typing, waits, hiding and
// fast-forward end to end with shots.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/script_engine.h"
#include "golden.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

class MessageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        openHeadlessDisplay();
        mainWindowProc({WM_KEYDOWN, VK_CONTROL, 0});
        g_engine.textX = g_engine.textY = 16;
        g_engine.dimLevel = -64;
        g_engine.fontHeight = g_engine.lineHeight = 26;
        g_engine.fontWidth = 0;
        g_engine.fontWeight = 800;
        g_engine.textColor = 255;
        g_engine.skipTyping = 1;
        // A face whose full-width characters all have the same width (26 and one for the bold).
        std::strcpy(g_engine.fontFace, sjis("ＭＳ 明朝"));
    }
    void TearDown() override { mainWindowProc({WM_KEYUP, VK_CONTROL, 0}); }
    void useText(const std::string& utf8) {
        std::free(g_engine.script);
        g_engine.script = strdup(toSjis(utf8).c_str());
        g_engine.length = static_cast<int32_t>(std::strlen(g_engine.script));
        g_engine.pos = 0;
    }
    void type(int characters) {
        for (int i = 0; i < characters; ++i)
            g_engine.typeCharacter();
    }
};

}  // namespace

// A line ends once less than two characters fit; a following 、 。 or 」 may take the last place.
TEST_F(MessageWindowTest, ALineEndsWhileLessThanTwoCharactersFitButPunctuationMayTakeTheLastPlace) {
    for (std::string next : {"あ", "、", "。", "」"}) {
        useText(repeat("あ", 22) + next + "い");
        g_engine.textX = g_engine.textY = 16;
        type(21);
        EXPECT_EQ(g_engine.textX, 16 + 21 * 27);
        type(1);
        EXPECT_EQ(g_engine.textY, next == "あ" ? 46 : 16) << next;
        type(1);
        EXPECT_EQ(g_engine.textY, 46) << next;
        EXPECT_EQ(g_engine.textX, next == "あ" ? 16 + 27 : 16) << next;
    }
}

TEST_F(MessageWindowTest, ALineIsAsTallAsItsTallestCharacter) {
    useText("あい");
    g_engine.fontHeight = 40;
    type(1);
    g_engine.fontHeight = 26;
    type(1);
    g_engine.newLine();
    EXPECT_EQ(g_engine.textY, 16 + 40 + 4);
    EXPECT_EQ(g_engine.lineHeight, 26);
}

// \d indents only at the start of a line; @text always takes its width, 0 being the face's own.
TEST(MessageWindow, AnIndentOnlyAtTheStartOfALineAndTextAlwaysTakesTheWidth) {
    const std::string plain = shotAfter("\\dあい@wait(9000);", 4000);
    EXPECT_TRUE(shotAfter("\\dあ\\dい@wait(9000);", 4000) == plain);
    EXPECT_TRUE(shotAfter("@text(0,0,8,0);@text(0,0,0,0);\\dあい@wait(9000);", 4000) == plain);
}

TEST(MessageWindow, TypesAPageThatWrapsAndWaitsForAClick) {
    TempFolder root;
    root.writeGame(
        "　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗い"
        "じめじめした所でニャーニャー泣いていた事だけは記憶している、吾輩はここで始めて人間"
        "というものを見た。\\c@after();");
    RunResult run = runHeadless(root, "wait 8000\nshot typed\nclick 300 300\nwait 500\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    expectShotGolden("message-typed", root.file("typed.png"));
}

TEST(MessageWindow, AFullPageWaitsWithThePageCursorThenStartsAgainAtTheTop) {
    std::string lines;
    for (int i = 1; i <= 16; ++i)
        lines += "これは" + std::to_string(i) + "行目です。\\n";
    TempFolder root;
    root.writeGame(lines + "@after();");
    RunResult run = runHeadless(root,
                                "down ctrl\nwait 3000\nup ctrl\nwait 1000\nshot page\nclick 1 1\nwait 300\n"
                                "shot next\nwait 1000\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    expectShotGolden("message-full-page", root.file("page.png"));
    expectShotGolden("message-next-page", root.file("next.png"));
}

// A tap of 30 ms hides the text and shows the picture at full brightness; the next tap brings it back.
TEST(MessageWindow, ASpaceTapHidesTheTextUntilTheNextTapOrAClick) {
    TempFolder root;
    root.writeGame("@bgload(hill.bmp,0,0);@wait(3000);隠れる文字。\\c@after();");
    root.copyDemoPictures();
    const char tap[] = "down space\nwait 30\nup space\nwait 1000\n";
    RunResult run = runHeadless(root, std::string("wait 4000\nshot bare\nwait 3000\nshot shown\n") + tap +
                                          "shot hidden\n" + tap + "shot back\nclick 1 1\nwait 500\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    std::string shown = readFile(root.file("shown.png"));
    EXPECT_NE(shown, readFile(root.file("bare.png")));
    EXPECT_EQ(readFile(root.file("hidden.png")), readFile(root.file("bare.png")));
    EXPECT_EQ(readFile(root.file("back.png")), shown);
}

// A click during typing shows the rest of the text up to the click wait, and no further: after the
// wait the next text types slowly again, so a click 300 ms into it only speeds it up.
TEST(MessageWindow, AClickSpeedsTheRestOfTheTextUpToTheNextWait) {
    std::string text = "ゆっくりと表示される文章がここにあります。\\c";
    std::string script = text + text + "@after();";
    std::string early = "wait 2600\nclick 1 1\nwait 300\nclick 1 1\n";
    RunResult slow = runScript(script, early + "wait 300\nclick 1 1\nwait 200\nclose\n");
    RunResult fast = runScript(script, early + "wait 1000\nclick 1 1\nwait 200\nclose\n");
    EXPECT_EQ(slow.errors, "");
    EXPECT_EQ(fast.errors, unknownCommand("after"));
}

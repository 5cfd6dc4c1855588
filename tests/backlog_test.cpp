// The backlog as a reader uses it: the wheel at a wait scrolls back through the pages read, as they
// were typed, and the wait comes back as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shot_pictures.h"
#include "test_support.h"

namespace {

// Saved into the first bookmark from the system menu, then loaded from it.
std::string saveAndLoad() {
    const std::string toTheMenu = "rclick 5 5\nwait 1500\n";
    return toTheMenu + "click 250 200\nwait 1500\nclick 300 100\nwait 1500\nclick 5 5\nwait 1500\n" +
           toTheMenu + toTheMenu +
           "click 250 230\nwait 1500\nclick 300 100\nwait 1500\nclick 290 270\nwait 3000\n";
}

// Three pages: the first changes its font and colour midway, the third waits twice for a click.
const char kStory[] =
    "@plload(hill.bmp);@bgload(hill.bmp,0,0);一ページ目の始まり。@text(3,0,0,0);@textcolor(201,190,225,255);"
    "違う字と色。\\p@text(1,0,0,0);二ページ目です。\\p三ページ目の一行目。\\c二行目。\\c@after();";

}  // namespace

TEST(Backlog, TheWheelScrollsBackThroughThePagesAsTypedAndTheWaitComesBackAsItWas) {
    TempFolder root;
    root.writeGame(kStory);
    root.copyDemoPictures();
    RunResult run =
        runHeadless(root,
                    "wait 9000\nshot page1\nclick 5 5\nwait 3000\nshot page2\nclick 5 5\nwait 3000\n"
                    "shot before\n"
                    "wheel up\nwait 300\nshot back1\nwheel up\nwait 300\nshot back2\n"
                    "wheel up\nwait 300\nshot oldest\nwheel down\nwait 300\nshot newer\n"
                    "wheel down\nwait 300\nshot restored\n"
                    // Left by a click: the click is the backlog's, the wait still waits.
                    "wheel up\nwait 300\nclick 5 5\nwait 1000\nshot clicked\n"
                    "click 5 5\nwait 2000\nclick 5 5\nwait 500\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    Picture page1 = shot(root, "page1"), page2 = shot(root, "page2"), before = shot(root, "before");
    EXPECT_TRUE(sameButTheCursor(shot(root, "back1"), page2, kPageCursor));
    EXPECT_TRUE(sameButTheCursor(shot(root, "back2"), page1, kPageCursor));
    EXPECT_FALSE(sameButTheCursor(page1, page2, kPageCursor));
    EXPECT_EQ(shot(root, "oldest").rgb, shot(root, "back2").rgb);
    EXPECT_EQ(shot(root, "newer").rgb, shot(root, "back1").rgb);
    EXPECT_TRUE(sameButTheCursor(shot(root, "restored"), before, kClickCursor));
    EXPECT_TRUE(sameButTheCursor(shot(root, "clicked"), before, kClickCursor));
}

// A game's first page has nothing before it, and a loaded bookmark starts a new backlog: the wheel
// leaves those waits as they are.
TEST(Backlog, NothingBeforeTheFirstPageOrALoadedBookmark) {
    TempFolder root;
    root.writeGame(kStory);
    root.copyDemoPictures();
    RunResult run =
        runHeadless(root,
                    "wait 9000\nshot page1\nwheel up\nwait 300\nshot first\nclick 5 5\nwait "
                    "3000\nclick 5 5\nwait 3000\n" +
                        saveAndLoad() + "shot loaded\nwheel up\nwheel up\nwait 300\nshot wheeled\n");
    EXPECT_TRUE(sameButTheCursor(shot(root, "first"), shot(root, "page1"), kPageCursor));
    ASSERT_NE(run.trace.find("load 0: wait kind 0"), std::string::npos) << run.trace;
    EXPECT_TRUE(sameButTheCursor(shot(root, "wheeled"), shot(root, "loaded"), kClickCursor));
}

// A bookmark saved in the middle of a page brings that page's first lines back as the text layer: read
// on past the page's end, the backlog shows the whole page as it shows it without the load.
TEST(Backlog, APageLoadedHalfReadKeepsTheLinesBeforeTheBookmark) {
    TempFolder root;
    root.writeGame(
        "@plload(hill.bmp);@bgload(hill.bmp,0,0);丘の上の桜が、今年も満開になった。\\c約束の日だ。\\p"
        "次のページ。\\c@after();");
    root.copyDemoPictures();
    const std::string readOn = "click 5 5\nwait 3000\nclick 5 5\nwait 3000\nwheel up\nwait 300\nshot back\n";
    runHeadless(root, "wait 9000\n" + readOn);
    Picture unbroken = shot(root, "back");
    RunResult loaded = runHeadless(root, "wait 9000\n" + saveAndLoad() + readOn);
    ASSERT_NE(loaded.trace.find("load 0: wait kind 0"), std::string::npos) << loaded.trace;
    EXPECT_TRUE(sameButTheCursor(shot(root, "back"), unbroken, kClickCursor));
}

// The bundled demo games, read as a reader meets them: their menus and pages look as they should, and
// both play to their end.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "golden.h"
#include "shot_pictures.h"
#include "test_support.h"

namespace {

// Shots p1, p2, … of every page: a shot, a click at (x, y), then time for the next page to appear.
std::string readPages(int pages, const std::string& click, int pageMs) {
    std::string reader;
    for (int page = 1; page <= pages; ++page)
        reader +=
            "shot p" + std::to_string(page) + "\nclick " + click + "\nwait " + std::to_string(pageMs) + "\n";
    // Written only if the game is still running when the clicks have run out.
    return reader + "shot unfinished\n";
}

// Every click of a reader who reads pages shows something new: no click waits only to wait again.
void expectEveryClickChangesThePage(const TempFolder& root, int pages) {
    for (int page = 1; page < pages; ++page) {
        std::string now = "p" + std::to_string(page), next = "p" + std::to_string(page + 1);
        EXPECT_FALSE(sameButTheCursor(shot(root, now), shot(root, next), kPageCursor))
            << now << " to " << next;
    }
}

// Plays a demo game from start.dat with the reader; the shots land in root.
RunResult playDemo(const TempFolder& root, const std::string& game, const std::string& reader) {
    root.copyDemoGame(game);
    RunResult run = runHeadless(root, reader);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(readFile(root.file("unfinished.png")).empty()) << game << " did not reach its end";
    return run;
}

// The title's first line, and two points at the left margin: the first of the choices under a
// one-line page, and the line below it (the second choice there, the first under a two-line page).
const char kTitleFirstLine[] = "270 310", kHigh[] = "60 60", kLow[] = "60 90";

}  // namespace

// The title menu; the choices below the page in grey, the one under the pointer white; the walk
// ends on its own page. The lunch leaves the centre girl alone on the hill, the right one gone whole.
TEST(DemoGames, HanamiShowsItsMenusAndPagesAndPlaysToItsEnd) {
    TempFolder walk;
    RunResult walked = playDemo(walk, "hanami",
                                "wait 12000\nshot title\nclick " + std::string(kTitleFirstLine) +
                                    "\nwait 6000\n" + readPages(13, kLow, 4000));
    expectShotGolden("demo-hanami-title", walk.file("title.png"));
    expectShotGolden("demo-hanami-choices", walk.file("p5.png"));
    expectShotGolden("demo-hanami-walk-ending", walk.file("p13.png"));
    expectGoldenText("demo-hanami-walk", walked.transcript);
    expectEveryClickChangesThePage(walk, 13);
    TempFolder lunch;
    playDemo(
        lunch, "hanami",
        "wait 12000\nclick " + std::string(kTitleFirstLine) + "\nwait 6000\n" + readPages(10, kHigh, 4000));
    expectShotGolden("demo-hanami-lunch", lunch.file("p6.png"));
}

// The first page, the choices under the last line of the page, and the last page.
TEST(DemoGames, OmikujiShowsItsPagesAndChoicesAndPlaysToItsEnd) {
    TempFolder root;
    RunResult run = playDemo(root, "omikuji", "wait 9000\n" + readPages(8, kLow, 3000));
    expectEveryClickChangesThePage(root, 8);
    expectGoldenText("demo-omikuji", run.transcript);
    expectShotGolden("demo-omikuji-first-page", root.file("p1.png"));
    expectShotGolden("demo-omikuji-choices", root.file("p5.png"));
    expectShotGolden("demo-omikuji-last-page", root.file("p8.png"));
}

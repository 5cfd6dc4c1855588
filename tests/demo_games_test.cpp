// The bundled demo games, read as a reader meets them: their menus and pages look as they should, and
// both play to their end.
#include <gtest/gtest.h>

#include <string>

#include "golden.h"
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

// Plays a demo game from start.dat with the reader; the shots land in root.
void playDemo(const TempFolder& root, const std::string& game, const std::string& reader) {
    std::string copy =
        "cp -r '" + std::string(ZEBORA_SOURCE_DIR) + "/games/" + game + "' '" + root.path() + "/'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    writeFile(root.file("start.dat"), game + " story.zeb\n");
    RunResult run = runHeadless(root, reader);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(readFile(root.file("unfinished.png")).empty()) << game << " did not reach its end";
}

// The title's first line, and two points at the left margin: the first of the choices under a
// one-line page, and the line below it (the second choice there, the first under a two-line page).
const char kTitleFirstLine[] = "270 310", kHigh[] = "60 60", kLow[] = "60 90";

}  // namespace

// The title menu; the choices below the page in grey, the one under the pointer white; the walk
// ends on its own page. The lunch leaves the centre girl alone on the hill, the right one gone whole.
TEST(DemoGames, HanamiShowsItsMenusAndPagesAndPlaysToItsEnd) {
    TempFolder walk;
    playDemo(walk, "hanami",
             "wait 12000\nshot title\nclick " + std::string(kTitleFirstLine) + "\nwait 6000\n" +
                 readPages(14, kLow, 4000));
    expectShotGolden("demo-hanami-title", walk.file("title.png"));
    expectShotGolden("demo-hanami-choices", walk.file("p5.png"));
    expectShotGolden("demo-hanami-walk-ending", walk.file("p14.png"));
    TempFolder lunch;
    playDemo(
        lunch, "hanami",
        "wait 12000\nclick " + std::string(kTitleFirstLine) + "\nwait 6000\n" + readPages(11, kHigh, 4000));
    expectShotGolden("demo-hanami-lunch", lunch.file("p6.png"));
}

// The first page, the choices under the last line of the page, and the last page.
TEST(DemoGames, OmikujiShowsItsPagesAndChoicesAndPlaysToItsEnd) {
    TempFolder root;
    playDemo(root, "omikuji", "wait 9000\n" + readPages(12, kLow, 3000));
    expectShotGolden("demo-omikuji-first-page", root.file("p1.png"));
    expectShotGolden("demo-omikuji-choices", root.file("p6.png"));
    expectShotGolden("demo-omikuji-last-page", root.file("p10.png"));
}

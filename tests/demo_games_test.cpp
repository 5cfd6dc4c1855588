// The bundled demo games play to their end, clicked through by a reader holding Ctrl.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

// Clicks the title's first line and the choices' second line, over and over.
std::string clickThrough() {
    std::string reader = "down ctrl\n";
    for (int i = 0; i < 150; ++i)
        reader += "wait 400\nclick 270 310\nwait 400\nclick 60 82\n";
    // Written only if the game is still running when the clicks have run out.
    return reader + "shot unfinished\n";
}

RunResult playDemo(const std::string& game) {
    TempFolder root;
    std::string copy =
        "cp -r '" + std::string(ZEBORA_SOURCE_DIR) + "/games/" + game + "' '" + root.path() + "/'";
    EXPECT_EQ(std::system(copy.c_str()), 0);
    writeFile(root.file("start.dat"), game + " story.zeb\n");
    RunResult result = runHeadless(root, clickThrough());
    // The game ended the program before the reader ran out of clicks.
    EXPECT_TRUE(readFile(root.file("unfinished.png")).empty()) << game << " did not reach its end";
    return result;
}

}  // namespace

TEST(DemoGames, HanamiPlaysToItsEnd) {
    RunResult run = playDemo("hanami");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
}

TEST(DemoGames, OmikujiPlaysToItsEnd) {
    RunResult run = playDemo("omikuji");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
}

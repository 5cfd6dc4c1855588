// Every format and range check of the picture, palette, text, menu and effect commands, end to end.
#include <gtest/gtest.h>

#include "test_support.h"

// Numbers at the ends of the 32-bit range that no check refuses: what they draw lies off the screen or
// at the largest font, and no sum of them overflows (the sanitizer build stops at any that does).
TEST(CommandErrors, NumbersAtTheEndsOfTheRangeOverflowNothing) {
    const struct {
        const char* script;
        bool reachesTheEnd;
    } cases[] = {
        {"@objloadxy(petal.bmp,0,2147483647,0,-2147483647,480,0,0);", true},
        {"@text(0,2147483647,0,0);\\d", true},
        {"@text(0,1073741824,0,0);あ", true},  // one character fills the page: the click goes on
        {"@text(0,1073741824,0,0);@select(1,あ,a);@name(a);", true},  // the click picks the choice
        {"@text(0,-2147483648,0,0);あ", true},
        {"@text(0,0,-2147483648,0);あ", true},
        {"@title(1,2147483647,2147483647,あ,a);@name(a);", false},  // no click can reach it
    };
    for (const auto& c : cases) {
        TempFolder root;
        root.writeGame(std::string(c.script) + "@after();");
        root.copyDemoPictures();
        RunResult run = runHeadless(root, "wait 6000\nclick 100 100\nwait 1000\n");
        EXPECT_EQ(run.errors, c.reachesTheEnd ? unknownCommand("after") : "") << c.script;
    }
}

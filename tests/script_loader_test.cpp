// The loader's stripping rules, the argument extractor and the place scan, run in-process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/script_engine.h"
#include "frontend/front_end.h"
#include "test_support.h"

namespace {

// Loads bytes as the script of game 0 from a temporary folder and returns the stripped stream.
std::string load(const std::string& bytes) {
    TempFolder folder;
    writeFile(folder.file("story.zeb"), bytes);
    std::snprintf(g_frontEnd.scriptFile[0], kGameTextBytes, "%s", folder.file("story.zeb").c_str());
    g_frontEnd.scriptSize[0] = static_cast<uint32_t>(bytes.size());
    g_frontEnd.selected = 0;
    g_engine.loadScript();
    EXPECT_EQ(static_cast<size_t>(g_engine.length), std::strlen(g_engine.script));
    return std::string(g_engine.script, static_cast<size_t>(g_engine.length));
}

void useScript(const std::string& stream) {
    useHeadlessWindowSystem();
    std::free(g_engine.script);
    g_engine.script = strdup(stream.c_str());
    g_engine.length = static_cast<int32_t>(stream.size());
    g_engine.pos = 0;
}

}  // namespace

TEST(ScriptLoader, DropsBlanksCommentsAndHeaderLinesAndTreatsEach899BytesAsALineOfTheirOwn) {
    EXPECT_EQ(load("#title x\n@goto( a , b );\r\nab cd\t//gone\n\n e\n"), "@goto(a,b);abcde");
    // A full-width blank is an ordinary character; '#' after a blank is text.
    EXPECT_EQ(load(toSjis("あ　い\n #x\n")), toSjis("あ　い#x"));
    // "//" inside a command's arguments also drops the rest of the line.
    EXPECT_EQ(load("@bgload(a//b.bmp,1,1);\nz"), "@bgload(az");
    // Text mode as Windows reads it.
    EXPECT_EQ(load("ab\r\ncd\rx\n"), "abcd\rx");
    EXPECT_EQ(load(std::string("ab\x1A") + "cd\n"), "ab");
    // The '#' that starts the second piece drops that piece only; a "//" in the first piece does
    // not reach into the second.
    std::string first(899, 'a');
    EXPECT_EQ(load(first + "#bbb\nc"), first + "c");
    std::string commented = std::string(897, 'a') + "//";
    EXPECT_EQ(load(commented + "xyz\n"), std::string(897, 'a') + "xyz");
}

// A script larger than the engine takes is refused before anything is allocated for it.
TEST(ScriptLoader, AScriptOverSixteenMegabytesIsRefused) {
    TempFolder root;
    root.writeGame("");
    ASSERT_EQ(truncate(root.file("game/story.zeb").c_str(), kMaxScriptBytes + 1), 0);
    EXPECT_EQ(runHeadless(root, "wait 5000\n").errors, fatalLine("メモリが足りません"));
}

TEST(ArgumentExtractor, LeavesBlankSeparatedWordsAndStepsPastTheSemicolon) {
    useScript("@flagselect(3,\"=>\",5,yes,no);rest");
    g_engine.extractArgs();
    EXPECT_STREQ(g_engine.args, "            3  =>  5 yes no");
    EXPECT_STREQ(g_engine.script + g_engine.pos, "rest");
    // A later parenthesis is text.
    useScript("@goto(a(b);");
    g_engine.extractArgs();
    EXPECT_STREQ(g_engine.args, "      a(b");
}

// The place scan takes an '@' inside another command's arguments as the start of a command.
TEST(PlaceScan, AnAtSignInsideArgumentsStartsACommand) {
    useScript("@goto(x@name(a));");
    g_engine.scanLabels();
    ASSERT_EQ(g_engine.nameCount, 1);
    EXPECT_EQ(g_engine.namePos[0], 7);
}

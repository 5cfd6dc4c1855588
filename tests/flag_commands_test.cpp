// The six flag commands: operators run in-process on prepared argument text, messages end to end.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "display/transition_effects.h"
#include "engine/script_engine.h"
#include "shell/shell.h"
#include "test_support.h"

namespace {

int32_t flagAfter(int32_t start, const char* args, void (ScriptEngine::*command)() = &ScriptEngine::cmdFlag) {
    g_engine.flags[3] = start;
    std::snprintf(g_engine.args, sizeof g_engine.args, "%s", args);
    (g_engine.*command)();
    return g_engine.flags[3];
}

}  // namespace

// Every operator wraps around; division by zero leaves the flag alone, and INT_MIN / -1 wraps.
TEST(FlagOperators, ComputeWithWrapAroundAndTruncatingDivision) {
    const int32_t max = INT_MAX, min = INT_MIN;
    const struct {
        int32_t start;
        const char* args;
        int32_t result;
    } cases[] = {
        {10, "3 + 5", 15}, {10, "3 - -5", 15},        {10, "3 * 3", 30},    {-7, "3 / 2", -3},
        {-7, "3 % 2", -1}, {10, "3 = -4", -4},        {max, "3 + 1", min},  {min, "3 - 1", max},
        {9, "3 / 0", 9},   {9, "3 % 0", 9},           {min, "3 / -1", min}, {min, "3 % -1", 0},
        {7, "3 / -1", -7}, {0x10000, "3 * 65536", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(flagAfter(c.start, c.args), c.result) << c.start << " " << c.args;
    // flagto takes the right operand from another flag.
    g_engine.flags[4] = 0;
    EXPECT_EQ(flagAfter(9, "3 / 4", &ScriptEngine::cmdFlagTo), 9);
    g_engine.flags[4] = 4;
    EXPECT_EQ(flagAfter(9, "3 * 4", &ScriptEngine::cmdFlagTo), 36);
}

TEST(RandomFlags, FollowTheRuntimeLibrarysGeneratorFromStateOne) {
    resetRandomGenerator();
    // The generator's first values are 41, 18467, 6334, 26500, 19169, 15724.
    EXPECT_EQ(randomInRange(0, 32767), 41);
    EXPECT_EQ(randomInRange(0, 32767), 18467);
    EXPECT_EQ(randomInRange(0, 15), 6334 % 16);
    EXPECT_EQ(randomInRange(1, 6), 1 + 26500 % 6);
    // A size that wraps to 0 would divide by zero: the lower bound is drawn.
    EXPECT_EQ(randomInRange(INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(randomInRange(INT_MAX - 1, INT_MAX), INT_MAX - 1 + 15724 % 2);
    resetRandomGenerator();
    std::strcpy(g_engine.args, "3 5 5");
    g_engine.cmdFlagRandom();
    EXPECT_EQ(g_engine.flags[3], 5);
    // A range written backwards keeps the formula in signed arithmetic: max - min + 1 = -8 draws
    // from 10 upwards.
    std::strcpy(g_engine.args, "3 10 1");
    g_engine.cmdFlagRandom();
    EXPECT_EQ(g_engine.flags[3], 10 + 18467 % 8);
    std::strcpy(g_engine.args, "3 0 -1");
    g_engine.cmdFlagRandom();
    EXPECT_EQ(g_engine.flags[3], 0);
    resetRandomGenerator();
}

TEST(FlagBranches, CompareWithEveryOperatorWord) {
    const struct {
        const char* op;
        int value;
        const char* place;
    } cases[] = {
        {"=", 5, "yes"}, {"=", 4, "no"}, {">", 4, "yes"},  {">", 5, "no"},  {">=", 5, "yes"}, {"=>", 6, "no"},
        {"<", 6, "yes"}, {"<", 5, "no"}, {"<=", 5, "yes"}, {"=<", 4, "no"}, {"!=", 4, "no"},  {"==", 5, "no"},
    };
    for (const auto& c : cases) {
        std::string script = "@flag(3,=,5);@flagselect(3," + std::string(c.op) + "," +
                             std::to_string(c.value) + ",yes,no);@name(yes);@yes();@name(no);@no();";
        EXPECT_EQ(runScript(script).errors, unknownCommand(c.place)) << c.op << " " << c.value;
    }
    // flagtoselect compares with the value of the second flag, not with its number.
    EXPECT_EQ(runScript("@flag(3,=,5);@flag(4,=,5);@flagtoselect(3,=,4,yes,no);@name(yes);@yes();").errors,
              unknownCommand("yes"));
    // The place name "0" goes on after the command.
    EXPECT_EQ(runScript("@flag(3,=,5);@flagselect(3,=,5,0,no);@on();@name(no);").errors,
              unknownCommand("on"));
}

// In a run, the random flags draw right after the dissolve order that start-up builds.
TEST(FlagCommands, ClearAndTheSameRandomNumbersInEveryRun) {
    useHeadlessWindowSystem();
    resetRandomGenerator();
    g_effects.buildDissolveOrder();
    int32_t expected = randomInRange(1, 6);
    resetRandomGenerator();
    std::string script = "@flagrnd(3,1,6);";
    for (int v = 1; v <= 6; ++v) {
        std::string n = std::to_string(v);
        script += "@flagselect(3,=," + n + ",is" + n + ",not" + n + ");@name(not" + n + ");";
    }
    for (int v = 1; v <= 6; ++v) {
        std::string n = std::to_string(v);
        script += "@name(is" + n + ");@flagclear();@flagselect(3,=,0,cleared" + n + ",kept);@name(cleared" +
                  n + ");@drew" + n + "();";
    }
    std::string drew = unknownCommand("drew" + std::to_string(expected));
    EXPECT_EQ(runScript(script).errors, drew);
    EXPECT_EQ(runScript(script).errors, drew);
}

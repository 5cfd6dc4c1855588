// The start-up sequence end to end: the system graphics, and the version warning of start.
#include <gtest/gtest.h>

#include <cstdio>

#include "golden.h"
#include "test_support.h"

TEST(Startup, WithoutTheSystemGraphicsTheEngineStopsWithItsMessage) {
    TempFolder root;
    root.writeGame("@x();");
    std::remove(root.file("system.bmp").c_str());
    RunResult run = runHeadless(root, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, fatalLine("system.bmp ファイルが見つかりません"));
}

TEST(Startup, ANewerScriptVersionShowsTheFiveLineWarningUntilAClick) {
    TempFolder root;
    root.writeGame("@start(0.3);@after();");
    RunResult run = runHeadless(root, "wait 5000\nshot warning\nclick 10 10\nwait 3000\n");
    EXPECT_EQ(run.errors, unknownCommand("after"));
    expectShotGolden("version-warning", root.file("warning.png"));
}

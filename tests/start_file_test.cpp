// The direct start through start.dat: everything that is not a startable game leaves the folder as
// it was and goes on to the front end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/script_engine.h"
#include "test_support.h"

namespace {

// Runs the direct start inside root and returns the folder it leaves as current.
std::string startIn(const TempFolder& root, const std::string& startDat) {
    useHeadlessWindowSystem();
    if (!startDat.empty()) writeFile(root.file("start.dat"), startDat);
    EnterFolder inRoot(root.path());
    g_engine.startFromStartFile();
    return currentFolder();
}

}  // namespace

TEST(StartFile, AnythingButAStartableGameLeavesTheWorkingFolder) {
    TempFolder root;
    mkdir(root.file("game").c_str(), 0755);
    std::string home = std::filesystem::canonical(root.path()).string();
    EXPECT_EQ(startIn(root, ""), home);
    EXPECT_EQ(startIn(root, "game\n"), home);
    EXPECT_EQ(startIn(root, "nowhere story.zeb\n"), home);
    EXPECT_EQ(startIn(root, "game missing.zeb\n"), home);
}

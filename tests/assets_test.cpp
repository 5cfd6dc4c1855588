// The pictures of the bundled working folder are exactly what tools/assets makes; what they must hold
// (whole wipe masks, the cursors' colour key) the effects and the shots of the message window check.
#include <gtest/gtest.h>

#include "assets.h"
#include "test_support.h"

TEST(BundledAssets, AreWhatTheGeneratorMakes) {
    for (const Asset& asset : makeAssets()) {
        std::string committed = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/" + asset.path);
        EXPECT_TRUE(committed == asset.bytes) << asset.path << " differs: run make assets";
    }
}

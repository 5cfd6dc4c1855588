// The pictures and sounds of the bundled working folder are exactly what tools/assets makes; what the
// pictures must hold (whole wipe masks, the cursors' colour key) the effects and the shots of the
// message window check.
#include <gtest/gtest.h>

#include <set>

#include "assets.h"
#include "platform/wave_file.h"
#include "test_support.h"

TEST(BundledAssets, AreWhatTheGeneratorMakes) {
    for (const Asset& asset : makeAssets()) {
        std::string committed = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/" + asset.path);
        EXPECT_TRUE(committed == asset.bytes) << asset.path << " differs: run make assets";
    }
}

// The sounds are made by a writer of our own: the engine must read them, and between them they hold
// both sample sizes.
TEST(BundledAssets, SoundsAreWaveFilesTheEngineReads) {
    std::set<uint16_t> sizes;
    for (const Asset& asset : makeAssets()) {
        if (asset.path.size() < 4 || asset.path.compare(asset.path.size() - 4, 4, ".wav") != 0) continue;
        WaveFile wave;
        const auto* bytes = reinterpret_cast<const uint8_t*>(asset.bytes.data());
        EXPECT_EQ(parseWaveFile(bytes, asset.bytes.size(), wave), nullptr) << asset.path;
        EXPECT_EQ(wave.channels, 1) << asset.path;
        sizes.insert(wave.bits);
    }
    EXPECT_EQ(sizes, (std::set<uint16_t>{8, 16}));
}

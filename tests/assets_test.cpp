// The pictures of the bundled working folder are exactly what tools/assets makes.
#include <gtest/gtest.h>

#include "assets.h"
#include "platform/bitmap_file.h"
#include "test_support.h"

TEST(BundledAssets, AreWhatTheGeneratorMakes) {
    for (const Asset& asset : makeAssets()) {
        std::string committed = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/" + asset.path);
        EXPECT_TRUE(committed == asset.bytes) << asset.path << " differs: run make assets";
    }
}

TEST(BundledAssets, TheSystemGraphicsHoldTheReservedColoursAndWholeWipeMasks) {
    std::string bytes = readFile(std::string(ZEBORA_SOURCE_DIR) + "/games/system.bmp");
    DecodedBitmap picture;
    ASSERT_TRUE(decodeBitmap(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture));
    ASSERT_EQ(picture.width, 640);
    EXPECT_EQ(picture.colours[0].red + picture.colours[0].green + picture.colours[0].blue, 0);
    EXPECT_EQ(picture.colours[2].red, 160);
    EXPECT_EQ(picture.colours[255].blue, 255);
    auto at = [&](int x, int y) { return picture.indices[static_cast<size_t>(y) * 640 + x]; };
    EXPECT_EQ(at(0, 0), 1);    // the click cursor's transparent corner
    EXPECT_EQ(at(32, 0), 1);   // the page cursor's
    EXPECT_NE(at(10, 12), 1);  // the click cursor's body
    // The frames of each pattern together set every pixel of the 16×16 cell.
    const int frames[4] = {16, 16, 16, 32};
    for (int p = 0; p < 4; ++p) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                int sets = 0;
                for (int f = 0; f < frames[p]; ++f)
                    sets += at(16 * f + x, 32 + 16 * p + y) != 0;
                EXPECT_GE(sets, 1) << "pattern " << p << " never sets " << x << "," << y;
            }
        }
    }
}

// The files of the bundled working folder are exactly what tools/assets makes; what the pictures must
// hold (whole wipe masks, the cursors' colour key) the effects and the shots of the message window check.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "assets.h"
#include "platform/formats/midi_file.h"
#include "platform/formats/wave_file.h"
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

// The theme loops: the sequencer starts it again at its end, where no note may still sound; the ending
// plays once. Their lengths are what the scores say: four bars at 80 a minute, and a bar at 96 and a
// bar at 80.
TEST(BundledAssets, TheMusicLastsItsBarsAndLetsEveryNoteGoBeforeTheEnd) {
    const std::map<std::string, int64_t> lengthsMs = {{"hanami/theme.mid", 12000},
                                                      {"hanami/ending.mid", 5500}};
    for (const Asset& asset : makeAssets()) {
        auto length = lengthsMs.find(asset.path);
        if (length == lengthsMs.end()) continue;
        MidiPiece piece;
        ASSERT_TRUE(
            parseMidiFile(reinterpret_cast<const uint8_t*>(asset.bytes.data()), asset.bytes.size(), piece));
        EXPECT_EQ(piece.lengthNs, length->second * 1000000) << asset.path;
        std::map<int, int> sounding;
        for (const MidiEvent& event : piece.events) {
            int type = event.status & 0xF0, key = (event.status & 0x0F) << 8 | event.data1;
            if (type == 0x80 || type == 0x90) sounding[key] += type == 0x90 && event.data2 ? 1 : -1;
            EXPECT_LT(event.timeNs, piece.lengthNs) << asset.path;
        }
        for (const auto& [key, count] : sounding)
            EXPECT_EQ(count, 0) << asset.path << " key " << key;
    }
}

// Each cursor's edge, every pixel of it beside the colour key, is light, inside which the dark outline
// runs: the cursors show on dark hair and a night sky as well as on a bright picture.
TEST(BundledAssets, TheCursorsAreRingedInLight) {
    IndexedPicture system = makeSystemGraphics();
    const struct { int left, width, height; } cursors[] = {{0, 20, 27}, {32, 32, 32}};
    const uint8_t key = 1;
    for (const auto& cursor : cursors) {
        int edge = 0, dark = 0;
        for (int y = 0; y < cursor.height; ++y) {
            for (int x = cursor.left; x < cursor.left + cursor.width; ++x) {
                uint8_t index = system.at(x, y);
                bool besideKey = false;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    int nx = x + dx, ny = y + dy;
                    bool inside =
                        nx >= cursor.left && nx < cursor.left + cursor.width && ny >= 0 && ny < cursor.height;
                    besideKey |= !inside || system.at(nx, ny) == key;
                }
                if (index == key || !besideKey) continue;
                const Rgb& colour = system.palette()[index];
                dark += std::min({colour.red, colour.green, colour.blue}) < 200;
                ++edge;
            }
        }
        EXPECT_GT(edge, 40) << "cursor at " << cursor.left;
        EXPECT_EQ(dark, 0) << "cursor at " << cursor.left;
    }
}

// The bookmark file against its literal layout, both ways, and the rules a file must keep to be loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "engine/script_engine.h"
#include "platform/formats/little_endian.h"
#include "save/save_file.h"
#include "save_layout.h"
#include "sound/wave_sound.h"

namespace {

const size_t kCentreHalf = kSlotWidth / 2;
const uint8_t kRightHalfMark = 0xEE;
const SaveHeader kHeader = {126, 12, 31, 7, 0x89ABCDEF};
const int kSavedSlots[] = {SLOT_TEXT, SLOT_CHARS, SLOT_CENTER};

std::string le32(int64_t value) {
    std::string out;
    LittleEndianWriter(out).u32(static_cast<uint32_t>(value));
    return out;
}

std::string whole(const char (&name)[kNameBytes]) {
    return std::string(name, kNameBytes);
}

// A name of 256 bytes that go on after its NUL.
void fillName(char (&name)[kNameBytes], int seed) {
    for (int i = 0; i < kNameBytes; ++i)
        name[i] = static_cast<char>(seed * 37 + i * 11 + 1);
    name[seed % 200 + 1] = '\0';
}

uint8_t* row(int slot, int y) {
    return g_display.pixels[slot] + y * g_display.pitch[slot];
}

// A slot's rows from x, width bytes of each, packed.
std::string slotRows(int slot, size_t x, size_t width) {
    std::string rows;
    for (int y = 0; y < kSlotHeight; ++y)
        rows.append(reinterpret_cast<const char*>(row(slot, y) + x), width);
    return rows;
}

size_t firstDifference(const std::string& a, const std::string& b) {
    auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return at.first == a.end() && at.second == b.end() ? std::string::npos : at.first - a.begin();
}

// Keeps everything a bookmark reads or writes and puts it back afterwards.
class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_ = g_engine;
        sound_ = g_sound;
        display_ = g_display;
        std::memcpy(palette_, g_basePalette, sizeof palette_);
        std::memcpy(locked_, g_fadeLocked, sizeof locked_);
        for (int slot : kSavedSlots) {
            g_display.mapSurface(slot);
            slots_[slot].assign(g_display.pixels[slot], g_display.pixels[slot] + kSlotWidth * kSlotHeight);
        }
    }
    void TearDown() override {
        for (int slot : kSavedSlots)
            std::memcpy(g_display.pixels[slot], slots_[slot].data(), slots_[slot].size());
        g_display = display_;
        g_engine = engine_;
        g_sound = sound_;
        std::memcpy(g_basePalette, palette_, sizeof palette_);
        std::memcpy(g_fadeLocked, locked_, sizeof locked_);
    }

private:
    ScriptEngine engine_;
    WaveSound sound_;
    Display display_;
    PaletteEntry palette_[kPaletteEntries];
    uint8_t locked_[kPaletteEntries];
    std::vector<uint8_t> slots_[kSlotCount];
};

// Every field different from its neighbours and from zero.
void setDistinctState() {
    for (int i = 0; i < kFlagCount; ++i)
        g_engine.flags[i] = static_cast<int32_t>(0x9E3779B9u * static_cast<uint32_t>(i + 1));
    g_engine.pos = 4000, g_engine.textX = 70000, g_engine.textY = -300;
    g_engine.textColor = 200, g_engine.dimLevel = -64;
    g_engine.fontHeight = -1024, g_engine.fontWidth = 12, g_engine.fontWeight = 0x01020304;
    fillName(g_engine.fontFace, 1);
    fillName(g_engine.bgName, 2);
    fillName(g_engine.midiName, 3);
    for (int c = 0; c < kSavedSoundChannels; ++c) {
        fillName(g_sound.channels[c].fileName, 10 + c);
        g_sound.channels[c].playFlags = static_cast<uint8_t>(0x10 + c);
        g_sound.channels[c].pan = static_cast<int8_t>(c * 10 - 45);
    }
    for (int i = 0; i < kPaletteEntries; ++i) {
        g_basePalette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                            static_cast<uint8_t>(i ^ 0x5A), static_cast<uint8_t>(i & 1)};
        g_fadeLocked[i] = static_cast<uint8_t>(i * 3 + 1);
    }
    g_engine.transparentSet = 1;
    g_engine.choiceCount = 3;
    for (int i = 0; i < kMenuLines; ++i) {
        fillName(g_engine.choiceText[i], 30 + i);
        fillName(g_engine.choicePlace[i], 40 + i);
        g_engine.choiceRect[i] = {i + 1, -i - 1, 1000 + i, 2000 + i};
    }
    for (int slot : kSavedSlots)
        for (int y = 0; y < kSlotHeight; ++y)
            for (int x = 0; x < kSlotWidth; ++x)
                row(slot, y)[x] = static_cast<uint8_t>(x * 3 + y * 7 + slot * 11);
    for (int y = 0; y < kSlotHeight; ++y)
        std::memset(row(SLOT_CENTER, y) + kCentreHalf, kRightHalfMark, kCentreHalf);
}

void clearState() {
    g_engine = ScriptEngine{};
    for (int c = 0; c < kSavedSoundChannels; ++c)
        g_sound.channels[c] = {true, {}, 0, 0};
    std::memset(g_basePalette, 0, sizeof g_basePalette);
    std::memset(g_fadeLocked, 0, sizeof g_fadeLocked);
    for (int slot : kSavedSlots)
        for (int y = 0; y < kSlotHeight; ++y)
            std::memset(row(slot, y), 0, slot == SLOT_CENTER ? kCentreHalf : kSlotWidth);
}

void expectFileHoldsTheState(const std::string& file) {
    ASSERT_EQ(file.size(), kSaveFileWithChoicesBytes);
    EXPECT_EQ(file.substr(0, 8), std::string("\x7E\x0C\x1F\x07\xEF\xCD\xAB\x89", 8));
    for (int i = 0; i < kFlagCount; ++i)
        EXPECT_EQ(file.substr(kFlagsAt + 4 * i, 4), le32(g_engine.flags[i])) << "flag " << i;
    const struct {
        size_t at;
        int64_t value;
    } numbers[] = {{kPositionAt, 4000},
                   {kTextXAt, 70000},
                   {kTextYAt, -300},
                   {kTextColourAt, 200},
                   {kDimLevelAt, -64},
                   {kFontHeightAt, -1024},
                   {kFontWidthAt, 12},
                   {kFontWeightAt, 0x01020304},
                   {kWaitKindAt, 2},
                   {kChoiceRectsAt + 9 * 16, 10},
                   {kChoiceRectsAt + 4 + 9 * 16, -10},
                   {kChoiceRectsAt + 8 + 9 * 16, 1009},
                   {kChoiceRectsAt + 12 + 9 * 16, 2009}};
    for (const auto& n : numbers)
        EXPECT_EQ(file.substr(n.at, 4), le32(n.value)) << "at " << n.at;
    EXPECT_EQ(file.substr(kFontFaceAt, kNameField), whole(g_engine.fontFace));
    EXPECT_EQ(firstDifference(file.substr(kTextLayerAt, kSlotBytes), slotRows(SLOT_TEXT, 0, kSlotWidth)),
              std::string::npos);
    EXPECT_EQ(
        firstDifference(file.substr(kCharacterLayerAt, kSlotBytes), slotRows(SLOT_CHARS, 0, kSlotWidth)),
        std::string::npos);
    EXPECT_EQ(
        firstDifference(file.substr(kCentreHalfAt, kSlotBytes / 2), slotRows(SLOT_CENTER, 0, kCentreHalf)),
        std::string::npos);
    EXPECT_EQ(file.substr(kBackgroundNameAt, kNameField), whole(g_engine.bgName));
    EXPECT_EQ(file.substr(kMusicNameAt, kNameField), whole(g_engine.midiName));
    for (int c = 0; c < kSavedSoundChannels; ++c) {
        EXPECT_EQ(file.substr(kWaveNamesAt + kNameField * c, kNameField), whole(g_sound.channels[c].fileName))
            << c;
        EXPECT_EQ(static_cast<uint8_t>(file[kWaveFlagsAt + c]), 0x10 + c);
        EXPECT_EQ(static_cast<int8_t>(file[kWavePansAt + c]), c * 10 - 45);
    }
    EXPECT_EQ(file.substr(kPaletteAt, 4), std::string("\x00\xFF\x5A\x00", 4));
    EXPECT_EQ(file.substr(kPaletteAt + 4 * 0xA5, 4), "\xA5\x5A\xFF\x01");
    EXPECT_EQ(file.substr(kFadeLockedAt, 256), std::string(reinterpret_cast<const char*>(g_fadeLocked), 256));
    EXPECT_EQ(file[kTransparentSetAt], 1);
    EXPECT_EQ(file[kChoiceCountAt], 3);
    EXPECT_EQ(file.substr(kChoiceTextsAt + kNameField * 9, kNameField), whole(g_engine.choiceText[9]));
    EXPECT_EQ(file.substr(kChoicePlacesAt + kNameField * 9, kNameField), whole(g_engine.choicePlace[9]));
}

}  // namespace

TEST_F(SaveFileTest, EveryFieldLiesAtItsOffsetAndComesBackWhereItWasTaken) {
    setDistinctState();
    std::string file = encodeSaveFile(kHeader, kSaveWaitChoice);
    expectFileHoldsTheState(file);
    clearState();
    std::vector<uint8_t> bytes(file.begin(), file.end());
    EXPECT_EQ(decodeSaveFile(bytes), kSaveWaitChoice);
    EXPECT_EQ(firstDifference(encodeSaveFile(kHeader, kSaveWaitChoice), file), std::string::npos);
    SaveHeader header = decodeSaveHeader(bytes.data());
    EXPECT_EQ(
        (std::vector<uint32_t>{header.year, header.month, header.day, header.playthrough, header.playTimeMs}),
        (std::vector<uint32_t>{126, 12, 31, 7, 0x89ABCDEF}));
    // What the file does not hold stays: the centre layer's right half and the channels' sounds.
    EXPECT_EQ(slotRows(SLOT_CENTER, kCentreHalf, kCentreHalf),
              std::string(kSlotHeight * kCentreHalf, kRightHalfMark));
    EXPECT_TRUE(g_sound.channels[0].hasBuffer);
    // Without a choice, the file ends at the wait kind.
    EXPECT_EQ(encodeSaveFile(kHeader, 1).size(), kSaveFileBytes);
}

// A width beyond the largest font is held at it, so a game that asks for one can still be bookmarked.
TEST_F(SaveFileTest, ABookmarkOfTheWidestFontAScriptAsksForLoads) {
    clearState();
    std::strcpy(g_engine.args, "0 0 5000 0");
    g_engine.cmdText();
    std::string file = encodeSaveFile(kHeader, 0);
    EXPECT_EQ(checkSaveFile(std::vector<uint8_t>(file.begin(), file.end()), 0), nullptr);
}

// Each file differs from a valid one (all zeros but the wait kind) by a size or a field; the script is
// 5000 bytes long.
TEST(SaveFileCheck, RefusesAFileThatBreaksAnyRuleAndSaysWhich) {
    const size_t kShort = kSaveFileBytes, kLong = kSaveFileWithChoicesBytes;
    const std::string unterminated(256, 'A');
    const struct {
        size_t size;
        int32_t waitKind;
        size_t at;
        std::string bytes;
        const char* broken;  // a word of the description, or nullptr when the file passes
    } cases[] = {
        {kLong, 2, 0, "", nullptr},
        {kShort, 1, 0, "", nullptr},
        {0, 0, 0, "", "size"},
        {kShort - 1, 0, 0, "", "size"},
        {kLong + 1, 2, 0, "", "size"},
        {kShort, 7, 0, "", "wait kind"},
        {kShort, -1, 0, "", "wait kind"},
        {kLong, 0, 0, "", "disagrees"},
        {kShort, 2, 0, "", "disagrees"},
        {kLong, 2, 773697, "\x0A", nullptr},
        {kLong, 2, 773697, "\x0B", "choice count"},
        {kLong, 2, 773697, "\xFF", "choice count"},
        {kLong, 2, 1052, unterminated, "name"},
        {kShort, 0, 769832 + 9 * 256, unterminated, "name"},
        {kLong, 2, 776258 + 9 * 256, unterminated, "name"},
        {kShort, 0, 1032, le32(5000), nullptr},
        {kShort, 0, 1032, le32(5001), "position"},
        {kShort, 0, 1032, le32(-1), "position"},
        {kShort, 0, 1036, le32(100000) + le32(-100000), nullptr},
        {kShort, 0, 1036, le32(2000000000), "cursor"},
        {kShort, 0, 1040, le32(-2000000000), "cursor"},
        {kShort, 0, 1308, le32(1024) + le32(-1024), nullptr},
        {kShort, 0, 1308, le32(1025), "font size"},
        {kShort, 0, 1312, le32(-1025), "font size"},
        {kShort, 0, 1044, le32(255) + le32(-255), nullptr},
        {kShort, 0, 1044, le32(256), "colour"},
        {kShort, 0, 1044, le32(-1), "colour"},
        {kShort, 0, 1048, le32(-256), "dimming"},
        {kShort, 0, 1048, le32(256), "dimming"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file(c.size, 0);
        if (file.size() >= kShort) std::memcpy(&file[kWaitKindAt], le32(c.waitKind).data(), 4);
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + static_cast<ptrdiff_t>(c.at));
        const char* broken = checkSaveFile(file, 5000);
        std::string where = "size " + std::to_string(c.size) + ", at " + std::to_string(c.at);
        if (!c.broken) {
            EXPECT_EQ(broken, nullptr) << where << ": " << (broken ? broken : "");
        } else {
            EXPECT_NE(std::string(broken ? broken : "").find(c.broken), std::string::npos) << where;
        }
    }
}

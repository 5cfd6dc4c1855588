// The record of what the reader has read: through its file and back, tied to its script, never taken
// from a file that breaks a rule, written whole or not at all, only when something new was read, and
// kept in the reader's data folder.
#include "engine/read_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/formats/content_hash.h"
#include "platform/formats/little_endian.h"
#include "test_support.h"

namespace {

using Ranges = std::vector<std::pair<int32_t, int32_t>>;

const size_t kRunsAt = 20;
const size_t kLengthAt = 8;
// Runs of more than 127 positions take two bytes in the file.
const int32_t kLength = 300;

std::string script() {
    std::string text;
    for (int i = 0; i < kLength; ++i)
        text += static_cast<char>('a' + i * 7 % 26);
    return text;
}

ReadRecord opened(const std::string& file, const std::string& text = script()) {
    ReadRecord record;
    record.open(file, text.data(), static_cast<int32_t>(text.size()));
    return record;
}

// The positions from -1 to the length and one past it that the record holds read.
std::string readPositions(const ReadRecord& record) {
    std::string marks;
    for (int32_t pos = -1; pos <= kLength; ++pos)
        marks += record.isRead(pos) ? 'r' : '.';
    return marks;
}

std::string expected(const Ranges& ranges) {
    std::string marks(kLength + 2, '.');
    for (auto [from, to] : ranges)
        for (int32_t pos = std::max(from, 0); pos < std::min(to, kLength); ++pos)
            marks[static_cast<size_t>(pos) + 1] = 'r';
    return marks;
}

// The file of a record with the ranges read, as save writes it.
std::string savedFile(const std::string& file, const Ranges& ranges) {
    ReadRecord record = opened(file);
    for (auto [from, to] : ranges)
        record.markRead(from, to);
    EXPECT_TRUE(record.save());
    return readFile(file);
}

}  // namespace

TEST(ReadRecord, ComesBackFromItsFileAsItWasMarked) {
    TempFolder folder;
    const std::string file = folder.file("read.dat");
    const Ranges cases[] = {
        {{0, 1}},
        {{0, 300}},
        {{299, 300}},
        {{60, 200}},
        {{3, 10}, {10, 12}, {64, 65}, {127, 129}, {250, 290}},
        {{5, 40}, {20, 70}, {0, 6}},
        {{-50, 2}, {298, 1000}},
        {{-10, -1}, {300, 400}, {7, 7}, {9, 8}},
    };
    for (const Ranges& ranges : cases) {
        unlink(file.c_str());
        savedFile(file, ranges);
        EXPECT_EQ(readPositions(opened(file)), expected(ranges)) << "case " << &ranges - cases;
    }
}

TEST(ReadRecord, IsWrittenInItsLayout) {
    const std::string text = script();
    std::string header = "ZEBREAD\x01";
    LittleEndianWriter fields(header);
    fields.u32(300);
    uint64_t hash = contentHash(text.data(), text.size());
    fields.u32(static_cast<uint32_t>(hash));
    fields.u32(static_cast<uint32_t>(hash >> 32));
    const struct {
        Ranges read;
        std::string runs;
    } cases[] = {
        {{}, "\xAC\x02"},
        {{{5, 155}}, std::string("\x05\x96\x01\x91\x01")},
        {{{0, 10}}, std::string("\x00\x0A\xA2\x02", 4)},
        {{{0, 300}}, std::string("\x00\xAC\x02", 3)},
    };
    for (const auto& c : cases) {
        ReadRecord record = opened("");
        for (auto [from, to] : c.read)
            record.markRead(from, to);
        EXPECT_EQ(record.encode(), header + c.runs) << c.runs.size();
    }
}

TEST(ReadRecord, TellsWhetherAWholeRangeIsRead) {
    ReadRecord record = opened("");
    record.markRead(10, 140);
    record.markRead(200, 300);
    const struct {
        int32_t from, to;
        bool read;
    } cases[] = {
        {10, 140, true},   {11, 139, true}, {9, 140, false},   {10, 141, false},
        {64, 128, true},   {50, 50, true},  {0, 0, true},      {200, 300, true},
        {200, 301, false}, {-1, 5, false},  {139, 201, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(record.isRead(c.from, c.to), c.read) << c.from << ".." << c.to;
}

TEST(ReadRecord, AChangedScriptStartsAfresh) {
    TempFolder folder;
    const std::string file = folder.file("read.dat");
    savedFile(file, {{0, 300}});
    std::string changedFirst = script(), changedLast = script();
    changedFirst[0] = 'z';
    changedLast[299] ^= 1;
    const struct {
        const char* what;
        std::string text;
        bool kept;
    } cases[] = {
        {"the same script", script(), true},           {"its first byte changed", changedFirst, false},
        {"its last byte changed", changedLast, false}, {"a byte shorter", script().substr(0, 299), false},
        {"a byte longer", script() + "a", false},
    };
    for (const auto& c : cases) {
        ReadRecord record = opened(file, c.text);
        EXPECT_EQ(record.isRead(0, static_cast<int32_t>(c.text.size())), c.kept) << c.what;
        EXPECT_EQ(record.isRead(0), c.kept) << c.what;
    }
}

TEST(ReadRecord, AFileThatBreaksAnyRuleIsPassedOver) {
    TempFolder folder;
    const std::string file = folder.file("read.dat");
    // Runs of 5, 150 and 145, the last two in two bytes each.
    const std::string good = savedFile(file, {{5, 155}});
    ASSERT_EQ(good.size(), kRunsAt + 5);
    std::string header = good.substr(0, kRunsAt);
    std::string otherLength = header;
    otherLength[kLengthAt] ^= 1;
    std::string hugeLength = header;
    hugeLength.replace(kLengthAt, 4, "\xFF\xFF\xFF\x7F");
    std::vector<std::pair<std::string, std::string>> cases = {
        {"another magic", "X" + good.substr(1)},
        {"another version", good.substr(0, 7) + "\x02" + good.substr(8)},
        {"another length", otherLength + good.substr(kRunsAt)},
        {"the largest length", hugeLength + good.substr(kRunsAt)},
        {"another hash", good.substr(0, 12) + "\x01" + good.substr(13)},
        {"a run one past the script", header + "\x05\xA8\x02"},
        {"a run that wraps round 32 bits", header + "\x85\x80\x80\x80\x10" + good.substr(kRunsAt + 1)},
        {"a run in more bytes than it needs", header + std::string("\x85\x00", 2) + good.substr(kRunsAt + 1)},
        {"a run of nothing after the first", header + std::string("\x05\x00", 2) + good.substr(kRunsAt + 1)},
        {"runs that end short of the script", header + "\x05\x96\x01"},
        {"a byte after the last run", good + '\0'},
    };
    for (size_t size = 0; size < good.size(); ++size)
        cases.push_back({"cut at " + std::to_string(size), good.substr(0, size)});
    for (const auto& [what, bytes] : cases) {
        writeFile(file, bytes);
        EXPECT_EQ(readPositions(opened(file)), expected({})) << what;
    }
    writeFile(file, good);
    EXPECT_EQ(readPositions(opened(file)), expected({{5, 155}}));
    // What is not a file at all: opened, a named pipe would wait for a writer for ever.
    unlink(file.c_str());
    ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
    EXPECT_EQ(readPositions(opened(file)), expected({})) << "a named pipe";
}

TEST(ReadRecord, AFileThatCannotBeWrittenStaysAsItWasAndIsWrittenLater) {
    TempFolder folder;
    const std::string file = folder.file("data/read/game.dat");
    const std::string data = folder.file("data");
    const struct {
        const char* what;
        bool oldFileStays;
        std::function<void()> block, unblock;
    } cases[] = {
        {"a folder in the temporary file's place", true, [&] { mkdir((file + ".tmp").c_str(), 0755); },
         [&] { rmdir((file + ".tmp").c_str()); }},
        {"a folder in the file's place", false,
         [&] {
             unlink(file.c_str());
             mkdir(file.c_str(), 0755);
         },
         [&] { rmdir(file.c_str()); }},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::system(("rm -rf '" + data + "'").c_str()), 0);
        std::string old = savedFile(file, {{0, 10}});
        ReadRecord record = opened(file);
        record.markRead(20, 30);
        c.block();
        EXPECT_FALSE(record.save()) << c.what;
        if (c.oldFileStays) {
            EXPECT_EQ(readFile(file), old) << c.what;
        }
        c.unblock();
        EXPECT_TRUE(record.save()) << c.what;
        EXPECT_EQ(readPositions(opened(file)), expected({{0, 10}, {20, 30}})) << c.what;
    }
}

TEST(ReadRecord, IsWrittenOnlyWhenSomethingNewWasRead) {
    TempFolder folder;
    const std::string file = folder.file("read.dat");
    const struct {
        const char* what;
        Ranges marked;
        bool written;
    } cases[] = {
        {"nothing", {}, false},
        {"what was read", {{10, 20}, {12, 15}}, false},
        {"nothing of the script", {{-5, 0}, {300, 310}, {18, 11}}, false},
        {"one position more", {{10, 21}}, true},
    };
    for (const auto& c : cases) {
        savedFile(file, {{10, 20}});
        ReadRecord record = opened(file);
        writeFile(file, "left as it was");
        for (auto [from, to] : c.marked)
            record.markRead(from, to);
        EXPECT_TRUE(record.save()) << c.what;
        EXPECT_EQ(readFile(file) != "left as it was", c.written) << c.what;
        // Once saved, saving again writes nothing.
        writeFile(file, "left as it was");
        EXPECT_TRUE(record.save()) << c.what;
        EXPECT_EQ(readFile(file), "left as it was") << c.what;
    }
}

// Each game's folder has a record of its own in the reader's data folder; without one there is no
// file, and the record lives as long as the player.
TEST(ReadRecord, LivesInTheReaderDataFolderOneForEachGame) {
    TempFolder folder;
    mkdir(folder.file("first").c_str(), 0755);
    mkdir(folder.file("second").c_str(), 0755);
    EnvironmentVariable data("XDG_DATA_HOME", folder.file("data").c_str());
    std::string paths[2];
    for (int game = 0; game < 2; ++game) {
        EnterFolder in(folder.file(game ? "second" : "first"));
        paths[game] = readRecordPath();
        ReadRecord record = opened(paths[game]);
        record.markRead(0, 300);
        EXPECT_TRUE(record.save());
        EXPECT_EQ(readPositions(opened(readRecordPath())), expected({{0, 300}}));
    }
    EXPECT_NE(paths[0], paths[1]);
    for (const std::string& path : paths)
        EXPECT_EQ(path.rfind(folder.file("data/zebora/read/"), 0), 0u) << path;
    // Nothing was written into the games' folders: they are still empty.
    EXPECT_EQ(rmdir(folder.file("first").c_str()), 0);
    EXPECT_EQ(rmdir(folder.file("second").c_str()), 0);

    EnvironmentVariable noData("XDG_DATA_HOME", nullptr), noHome("HOME", nullptr);
    EXPECT_EQ(readRecordPath(), "");
    ReadRecord record = opened("");
    record.markRead(0, 5);
    EXPECT_TRUE(record.save());
    EXPECT_TRUE(record.isRead(0, 5));
}

// Our standard MIDI file reader on literal files, and on real files measured by midicsv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/formats/little_endian.h"
#include "platform/formats/midi_file.h"
#include "real_midi_files.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

std::string chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    LittleEndianWriter(out).bigU32(static_cast<uint32_t>(body.size()));
    return out + body;
}

std::string smf(uint16_t format, uint16_t division, const std::vector<std::string>& tracks) {
    std::string header;
    LittleEndianWriter write(header);
    write.bigU16(format);
    write.bigU16(static_cast<uint16_t>(tracks.size()));
    write.bigU16(division);
    std::string out = chunk("MThd", header);
    for (const std::string& track : tracks)
        out += chunk("MTrk", track);
    return out;
}

bool parse(const std::string& file, MidiPiece& piece) {
    return parseMidiFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), piece);
}

// Each event as time, status, data1, data2 (a system exclusive message: its offset and size).
std::vector<std::vector<int64_t>> eventsOf(const MidiPiece& piece) {
    std::vector<std::vector<int64_t>> out;
    for (const MidiEvent& e : piece.events) {
        bool sysex = e.status == 0xF0;
        out.push_back({e.timeNs, e.status, sysex ? e.sysexOffset : e.data1, sysex ? e.sysexSize : e.data2});
    }
    return out;
}

const size_t kHeaderBytes = 14;
const std::string kEndOfTrack = "\x00\xFF\x2F\x00"s;
// Three ticks a quarter, so that a tick lasts a third of the tempo and times have fractions.
const uint16_t kThirds = 3;

// Format 0, 96 ticks a quarter: whole and divided system exclusive messages, escapes, and a tempo
// change halfway.
const std::string kSysexPiece = smf(0, 96,
                                    {"\x00\xF0\x05\x7E\x7F\x09\x01\xF7"
                                     "\x00\xF7\x02\xF8\xF8"
                                     "\x00\xF0\x03\x43\x10\x4C"
                                     "\x00\xF7\x02\x00\xF7"
                                     "\x60\xFF\x51\x03\x03\xD0\x90"
                                     "\x60\xB0\x07\x64"
                                     "\x00\xF0\x03\x41\x42\xF7"s +
                                     kEndOfTrack});

double csvLengthMs(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::vector<std::pair<long long, long long>> tempo;
    long long division = 0, endTick = 0, tick = 0, value = 0;
    char type[32];
    while (std::getline(lines, line)) {
        if (std::sscanf(line.c_str(), "%*d, %lld, %31[^,], %lld", &tick, type, &value) < 2) continue;
        std::string name = type;
        if (name == "Header") std::sscanf(line.c_str(), "%*d, %*d, Header, %*d, %*d, %lld", &division);
        if (name == "Tempo") tempo.push_back({tick, value});
        if (name == "End_track") endTick = std::max(endTick, tick);
    }
    std::stable_sort(tempo.begin(), tempo.end(), [](auto& a, auto& b) { return a.first < b.first; });
    tempo.push_back({endTick, 0});
    double ms = 0;
    long long at = 0, microsecondsPerQuarter = 500000;
    for (auto& [changeTick, next] : tempo) {
        ms += static_cast<double>(std::min(changeTick, endTick) - at) * microsecondsPerQuarter / division /
              1000;
        at = std::min(changeTick, endTick);
        microsecondsPerQuarter = next;
    }
    return ms;
}

}  // namespace

TEST(MidiFile, TrackZerosTempoGovernsEveryTrackExactly) {
    // Track 0: 500000 µs a quarter, 250000 from tick 1, a program change at tick 1, the end at tick 1.
    std::string tempoTrack =
        "\x00\xFF\x51\x03\x07\xA1\x20\x01\xFF\x51\x03\x03\xD0\x90\x00\xC1\x05"s + kEndOfTrack;
    // Track 1: notes at ticks 0, 1 and 3, the last two in running status; the end at tick 3.
    std::string notes = "\x00\x90\x3C\x40\x01\x3E\x40\x02\x3C\x00"s + kEndOfTrack;
    MidiPiece piece;
    ASSERT_TRUE(parse(smf(1, kThirds, {tempoTrack, notes}), piece));
    // Tick 3 lies at 1/3 of 500 ms plus 2/3 of 250 ms: 333333333.3 ns, one more than the sum of the
    // parts rounded one by one. At tick 1 the first track's event comes first.
    EXPECT_EQ(eventsOf(piece), (std::vector<std::vector<int64_t>>{{0, 0x90, 0x3C, 0x40},
                                                                  {166666666, 0xC1, 0x05, 0},
                                                                  {166666666, 0x90, 0x3E, 0x40},
                                                                  {333333333, 0x90, 0x3C, 0}}));
    EXPECT_EQ(piece.lengthNs, 333333333);
}

TEST(MidiFile, KeepsWholeSystemExclusiveMessagesOnly) {
    MidiPiece piece;
    ASSERT_TRUE(parse(kSysexPiece, piece));
    EXPECT_EQ(eventsOf(piece), (std::vector<std::vector<int64_t>>{
                                   {0, 0xF0, 0, 4}, {750000000, 0xB0, 0x07, 0x64}, {750000000, 0xF0, 4, 2}}));
    EXPECT_EQ(piece.sysex, (std::vector<uint8_t>{0x7E, 0x7F, 0x09, 0x01, 0x41, 0x42}));
    EXPECT_EQ(piece.lengthNs, 750000000);
}

TEST(MidiFile, SmpteDivisionCountsFramesWhateverTheTempo) {
    // 300 ticks, after a tempo of a second a quarter that SMPTE time ignores.
    std::string track = "\x00\xFF\x51\x03\x0F\x42\x40\x82\x2C\x90\x3C\x40"s + kEndOfTrack;
    struct Case {
        uint16_t division;
        int64_t ns;
    };
    // 29.97 frames a second of 10 ticks, and 25 frames a second of 40 ticks.
    for (const Case& c : {Case{0xE30A, 1001000000}, Case{0xE728, 300000000}}) {
        MidiPiece piece;
        ASSERT_TRUE(parse(smf(0, c.division, {track}), piece)) << c.division;
        EXPECT_EQ(piece.events[0].timeNs, c.ns) << c.division;
        EXPECT_EQ(piece.lengthNs, c.ns) << c.division;
    }
}

TEST(MidiFile, UnwrapsRmidWhateverItsRiffSizeSays) {
    // A RIFF size of 0, and an odd-sized chunk with its pad byte before the data.
    std::string riff =
        "RIFF\x00\x00\x00\x00RMIDLIST\x03\x00\x00\x00"
        "abc\x00"
        "data"s;
    LittleEndianWriter(riff).u32(static_cast<uint32_t>(kSysexPiece.size()));
    MidiPiece piece, plain;
    ASSERT_TRUE(parse(riff + kSysexPiece + "junk", piece));
    ASSERT_TRUE(parse(kSysexPiece, plain));
    EXPECT_EQ(eventsOf(piece), eventsOf(plain));
    EXPECT_EQ(piece.sysex, plain.sysex);
}

TEST(MidiFile, ToleratesWhatRealFilesDo) {
    // A note on and, 96 ticks (half a second) later, its note off in the running status that a text
    // event between them leaves alone; no end of track.
    std::string track = "\x00\x90\x3C\x40\x00\xFF\x01\x00\x60\x3C\x00"s;
    std::string withUnknownChunk = smf(1, 96, {track});
    withUnknownChunk.insert(kHeaderBytes, chunk("XFIH", "\x01\x02"));
    std::string longHeader = "MThd\x00\x00\x00\x08\x00\x00\x00\x01\x00\x60\xAB\xCD"s + chunk("MTrk", track);
    for (const std::string& file :
         {smf(0, 96, {track}) + "trailing bytes that are no chunk", longHeader, withUnknownChunk}) {
        MidiPiece piece;
        ASSERT_TRUE(parse(file, piece));
        EXPECT_EQ(piece.lengthNs, 500000000);
        EXPECT_EQ(piece.events.size(), 2u);
    }
}

TEST(MidiFile, RefusesWhatItCannotPlay) {
    std::string note = "\x00\x90\x3C\x40"s;
    // Its track chunk claims an end of track that the file has lost.
    std::string truncated = smf(0, 96, {note + kEndOfTrack});
    truncated.resize(truncated.size() - kEndOfTrack.size());
    const std::string files[] = {
        "",
        "\x12\x34\x56\x78\x9A\xBC\xDE\xF0\x11\x22\x33\x44\x55\x66"s,
        "Just some text, no music at all.\n",
        "MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60"s,
        "MThd\x00\x00\x00\x05\x00\x00\x00\x01\x00"s + chunk("MTrk", kEndOfTrack),
        truncated,
        smf(0, 96, {"\x00\x90\x3C"s}),
        smf(0, 96, {"\x80\x80\x80\x80\x00"s + note}),
        smf(0, 96, {note + "\x00\xF0\x01\xF7\x00\x3C\x00"s}),
        smf(0, 96, {"\x00\xF4"s + kEndOfTrack}),
        smf(0, 96, {"\x00\xB0\x50\x83"s + kEndOfTrack}),
        smf(2, 96, {kEndOfTrack}),
        smf(0, 0, {kEndOfTrack}),
        smf(0, 0xE700, {kEndOfTrack}),
        smf(0, 0xE60A, {kEndOfTrack}),
        "RIFF\x04\x00\x00\x00WAVEdata"s + chunk("MTrk", kEndOfTrack),
        "RIFF\x04\x00\x00\x00RMIDLIST\x00\x00\x00\x00"s,
    };
    for (const std::string& file : files) {
        MidiPiece piece;
        EXPECT_FALSE(parse(file, piece)) << testing::PrintToString(file);
        EXPECT_TRUE(piece.events.empty());
    }
}

// Real files, and the independent tool midicsv: our length agrees with the one its listing gives
// (every track's end tick through the tempo map), and so does the number of channel messages.
TEST(MidiFile, RealFilesLastAsLongAsMidicsvSays) {
    std::vector<std::string> files = realMidiFiles();
    if (files.empty() || !programInstalled("midicsv"))
        GTEST_SKIP()
            << "the MIDI files of kobodeluxe-data and freedink-data, or midicsv, are missing: make deps";
    for (const std::string& file : files) {
        MidiPiece piece;
        ASSERT_TRUE(readMidiFile(file.c_str(), piece)) << file;
        std::string csv = commandOutput("midicsv '" + file + "'");
        EXPECT_NEAR(piece.lengthNs / 1e6, csvLengthMs(csv), 1.0) << file;
        size_t channelMessages = std::count_if(piece.events.begin(), piece.events.end(),
                                               [](const MidiEvent& e) { return e.status < 0xF0; });
        size_t listed = 0;
        for (size_t at = csv.find("_c, "); at != std::string::npos; at = csv.find("_c, ", at + 1))
            ++listed;
        EXPECT_EQ(channelMessages, listed) << file;
    }
}

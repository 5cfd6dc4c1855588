// What the reader has read of a game: every position of the loaded script that was typed whole before
// a wait, kept in a file of the reader's own so that the next session knows it too. It is tied to the
// script's contents, so a script that changed in any byte starts afresh.
//
// The file, in little-endian fields:
//
//   0   7  "ZEBREAD"
//   7   1  version, 1
//   8   4  the script's length: its characters once loaded (without blanks and comments)
//   12  8  the script's hash (FNV-1a, 64 bits, of those characters), low half first
//   20  …  the runs: lengths of unread and read positions in turns, unread first, that together
//          cover the script exactly. Only the first may be 0 (the script begins with read text).
//          Each length is written in 7-bit groups, the lowest first, the top bit set on every byte
//          but the last, in the fewest bytes that hold it.
//
// A record has one form only, so a file is never longer than its script plus the header and a byte.
// Nothing of a file is trusted: one that breaks any rule (cut short, another magic or version, another
// script, a run past the script's end, bytes after the last run) is passed over as if it were not there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ReadRecord {
public:
    // The record of this script from file, when the file holds one; else nothing is read. An empty
    // name keeps the record in memory only. Whatever was marked before and not saved is gone.
    void open(const std::string& file, const char* script, int32_t length);

    // The text at script positions [from, to) has been shown whole. Positions outside the script
    // are passed over.
    void markRead(int32_t from, int32_t to);
    // Whether the character at pos has been read; one outside the script never has.
    bool isRead(int32_t pos) const {
        return pos >= 0 && pos < length_ &&
               (words_[static_cast<size_t>(pos) / kWordBits] >> (pos % kWordBits) & 1);
    }
    // Whether every position of [from, to) is read: an empty range is, one reaching outside the script
    // is not.
    bool isRead(int32_t from, int32_t to) const;

    // Writes the file whole or not at all, making its folder, when anything was marked since it was
    // opened or last saved. False when it cannot be written: the file is then as it was, and the next
    // save tries again.
    bool save();

    // The file's bytes.
    std::string encode() const;
    // Takes the record from a file's bytes when they hold one of this script; else marks nothing and
    // returns false.
    bool decode(const uint8_t* bytes, size_t size);

private:
    static constexpr int32_t kWordBits = 64;

    // Where the run of positions that are read (or unread) from at ends.
    int32_t runEnd(int32_t at, bool read) const;
    // True when any position was not read before.
    bool setRead(int32_t from, int32_t to);
    bool decodeRuns(const uint8_t* bytes, size_t size, size_t at);

    std::string file_;
    int32_t length_ = 0;
    uint64_t scriptHash_ = 0;
    std::vector<uint64_t> words_;  // bit p of word p / 64: position p is read
    bool changed_ = false;
};

extern ReadRecord g_readRecord;

// Where the record of the game whose folder is current is kept: a file of the reader's data folder,
// never of the game's. Empty when there is no data folder.
std::string readRecordPath();

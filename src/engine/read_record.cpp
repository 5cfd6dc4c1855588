#include "engine/read_record.h"

#include <algorithm>
#include <cstring>

#include "platform/files/file_system.h"
#include "platform/formats/content_hash.h"
#include "platform/formats/little_endian.h"
#include "shell/working_folder.h"

ReadRecord g_readRecord;

namespace {

const char kMagic[] = {'Z', 'E', 'B', 'R', 'E', 'A', 'D'};
const uint8_t kVersion = 1;
const size_t kHeaderBytes = sizeof kMagic + 1 + 4 + 8;
const char kRecordFolder[] = "read";
const char kRecordSuffix[] = ".dat";

const int kRunGroupBits = 7;
const uint8_t kMoreGroups = 0x80;
// Enough for any 32-bit length; a script is far shorter.
const int kLongestRunBytes = 5;
const uint64_t kAllSet = ~0ull;

void writeRun(LittleEndianWriter& out, uint32_t run) {
    for (; run >> kRunGroupBits; run >>= kRunGroupBits)
        out.u8(static_cast<uint8_t>(run | kMoreGroups));
    out.u8(static_cast<uint8_t>(run));
}

// False for a run cut short, longer than any, or written in more bytes than it needs.
bool readRun(LittleEndianReader& in, uint64_t& run) {
    run = 0;
    for (int group = 0; group < kLongestRunBytes; ++group) {
        uint8_t byte = in.readU8();
        if (in.failed()) return false;
        run |= static_cast<uint64_t>(byte & ~kMoreGroups) << (group * kRunGroupBits);
        if (!(byte & kMoreGroups)) return byte != 0 || group == 0;
    }
    return false;
}

}  // namespace

void ReadRecord::open(const std::string& file, const char* script, int32_t length) {
    file_ = file;
    length_ = script ? std::max(length, 0) : 0;
    scriptHash_ = contentHash(script, static_cast<size_t>(length_));
    words_.assign((static_cast<size_t>(length_) + kWordBits - 1) / kWordBits, 0);
    changed_ = false;
    std::vector<uint8_t> bytes;
    // A run but the first takes at least as many positions as bytes.
    size_t largest = kHeaderBytes + static_cast<size_t>(length_) + 1;
    if (!file.empty() && readWholeFile(file, largest, bytes)) decode(bytes.data(), bytes.size());
}

void ReadRecord::markRead(int32_t from, int32_t to) {
    if (setRead(std::max(from, 0), std::min(to, length_))) changed_ = true;
}

bool ReadRecord::isRead(int32_t from, int32_t to) const {
    if (from >= to) return true;
    return from >= 0 && runEnd(from, true) >= to;
}

bool ReadRecord::save() {
    if (!changed_ || file_.empty()) return true;
    size_t slash = file_.rfind('/');
    std::string failed;
    if (slash != std::string::npos && slash > 0 && !makeFolders(file_.substr(0, slash), failed)) return false;
    if (!replaceFile(file_, encode())) return false;
    changed_ = false;
    return true;
}

std::string ReadRecord::encode() const {
    std::string out;
    LittleEndianWriter fields(out);
    fields.bytes(kMagic, sizeof kMagic);
    fields.u8(kVersion);
    fields.i32(length_);
    fields.u32(static_cast<uint32_t>(scriptHash_));
    fields.u32(static_cast<uint32_t>(scriptHash_ >> 32));
    bool read = false;
    for (int32_t at = 0; at < length_; read = !read) {
        int32_t end = runEnd(at, read);
        writeRun(fields, static_cast<uint32_t>(end - at));
        at = end;
    }
    return out;
}

bool ReadRecord::decode(const uint8_t* bytes, size_t size) {
    std::fill(words_.begin(), words_.end(), 0);
    LittleEndianReader in(bytes, size);
    const uint8_t* magic = in.readBytes(sizeof kMagic);
    bool ours = magic && std::memcmp(magic, kMagic, sizeof kMagic) == 0 && in.readU8() == kVersion;
    bool thisScript = ours && in.readI32() == length_ && in.readU32() == static_cast<uint32_t>(scriptHash_) &&
                      in.readU32() == static_cast<uint32_t>(scriptHash_ >> 32);
    if (thisScript && decodeRuns(bytes, size, in.position())) return true;
    std::fill(words_.begin(), words_.end(), 0);  // the runs before a broken one
    return false;
}

bool ReadRecord::decodeRuns(const uint8_t* bytes, size_t size, size_t at) {
    LittleEndianReader in(bytes + at, size - at);
    bool read = false;
    for (int32_t pos = 0; pos < length_; read = !read) {
        uint64_t run = 0;
        bool first = pos == 0 && !read;
        if (!readRun(in, run) || run > static_cast<uint64_t>(length_ - pos) || (run == 0 && !first))
            return false;
        if (read) setRead(pos, pos + static_cast<int32_t>(run));
        pos += static_cast<int32_t>(run);
    }
    return in.position() == size - at;
}

int32_t ReadRecord::runEnd(int32_t at, bool read) const {
    while (at < length_) {
        // The positions that differ from the run, from at on.
        uint64_t differ = (words_[static_cast<size_t>(at / kWordBits)] ^ (read ? kAllSet : 0)) &
                          (kAllSet << (at % kWordBits));
        int32_t wordStart = at / kWordBits * kWordBits;
        if (differ) return std::min(length_, wordStart + __builtin_ctzll(differ));
        at = wordStart + kWordBits;
    }
    return length_;
}

bool ReadRecord::setRead(int32_t from, int32_t to) {
    bool added = false;
    for (int32_t at = from; at < to;) {
        int32_t bit = at % kWordBits;
        int32_t count = std::min(kWordBits - bit, to - at);
        uint64_t mask = (count == kWordBits ? kAllSet : (1ull << count) - 1) << bit;
        uint64_t& word = words_[static_cast<size_t>(at / kWordBits)];
        added = added || (word & mask) != mask;
        word |= mask;
        at += count;
    }
    return added;
}

std::string readRecordPath() {
    std::string data = readerDataFolder();
    if (data.empty()) return "";
    return joinPath(joinPath(data, kRecordFolder), currentFolderKey() + kRecordSuffix);
}

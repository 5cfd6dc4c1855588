// The fields of the files the engine reads and writes: little-endian in bitmaps, wave sounds and save
// files, big-endian (the big* fields) in MIDI files. The reader never looks outside its bytes,
// whatever offsets and counts a file holds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class LittleEndianReader {
public:
    LittleEndianReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    // Whether count bytes lie at at; written so that no sum can wrap round.
    bool has(size_t at, size_t count) const { return at <= size_ && count <= size_ - at; }

    // Fields at an offset: 0 when they do not lie wholly within the bytes.
    uint8_t u8(size_t at) const { return at < size_ ? data_[at] : 0; }
    uint16_t u16(size_t at) const {
        return has(at, 2) ? static_cast<uint16_t>(data_[at] | data_[at + 1] << 8) : 0;
    }
    uint32_t u32(size_t at) const {
        return has(at, 4) ? u16(at) | static_cast<uint32_t>(u16(at + 2)) << 16 : 0;
    }
    int32_t i32(size_t at) const { return static_cast<int32_t>(u32(at)); }
    uint16_t bigU16(size_t at) const {
        return has(at, 2) ? static_cast<uint16_t>(data_[at] << 8 | data_[at + 1]) : 0;
    }
    uint32_t bigU32(size_t at) const {
        return has(at, 4) ? static_cast<uint32_t>(bigU16(at)) << 16 | bigU16(at + 2) : 0;
    }

    // Fields one after the other from the start. A field that runs past the end reads as 0, leaves the
    // position at the end and marks the reading failed, so a caller may check once at the end.
    uint8_t readU8() { return take(1) ? u8(position_ - 1) : 0; }
    uint16_t readU16() { return take(2) ? u16(position_ - 2) : 0; }
    uint32_t readU32() { return take(4) ? u32(position_ - 4) : 0; }
    int32_t readI32() { return static_cast<int32_t>(readU32()); }
    // The next count bytes in place, or nullptr when they run past the end.
    const uint8_t* readBytes(size_t count) { return take(count) ? data_ + position_ - count : nullptr; }
    void skip(size_t count) { take(count); }
    size_t position() const { return position_; }
    bool failed() const { return failed_; }

private:
    bool take(size_t count) {
        if (!has(position_, count)) {
            failed_ = true;
            position_ = size_;
            return false;
        }
        position_ += count;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// Appends fields to a byte string.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::string& out) : out_(out) {}
    void u8(uint8_t value) { out_ += static_cast<char>(value); }
    void u16(uint16_t value) {
        u8(static_cast<uint8_t>(value));
        u8(static_cast<uint8_t>(value >> 8));
    }
    void u32(uint32_t value) {
        u16(static_cast<uint16_t>(value));
        u16(static_cast<uint16_t>(value >> 16));
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void bigU16(uint16_t value) {
        u8(static_cast<uint8_t>(value >> 8));
        u8(static_cast<uint8_t>(value));
    }
    void bigU32(uint32_t value) {
        bigU16(static_cast<uint16_t>(value >> 16));
        bigU16(static_cast<uint16_t>(value));
    }
    void bytes(const void* data, size_t count) { out_.append(static_cast<const char*>(data), count); }

private:
    std::string& out_;
};

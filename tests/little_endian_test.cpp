// The little-endian reader and writer against literal bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/formats/little_endian.h"

TEST(LittleEndian, TheWriterAppendsFieldsInTheirByteOrder) {
    std::string out = "x";
    LittleEndianWriter write(out);
    write.u8(0xAB);
    write.u16(0x1234);
    write.u32(0x12345678);
    write.i32(-2);
    write.bytes("BM", 2);
    write.bigU16(0x1234);
    write.bigU32(0x12345678);
    EXPECT_EQ(out, std::string("x\xAB\x34\x12\x78\x56\x34\x12\xFE\xFF\xFF\xFF\x42\x4D"
                               "\x12\x34\x12\x34\x56\x78",
                               20));
}

TEST(LittleEndian, TheReaderReadsAtOffsetsAndInTurn) {
    const uint8_t bytes[] = {0xAB, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF};
    LittleEndianReader in(bytes, sizeof bytes);
    EXPECT_EQ(in.u8(0), 0xAB);
    EXPECT_EQ(in.u16(1), 0x1234);
    EXPECT_EQ(in.u32(3), 0x12345678u);
    EXPECT_EQ(in.i32(7), -2);
    EXPECT_EQ(in.bigU16(1), 0x3412);
    EXPECT_EQ(in.bigU32(3), 0x78563412u);
    EXPECT_EQ(in.readU8(), 0xAB);
    EXPECT_EQ(in.readU16(), 0x1234);
    EXPECT_EQ(in.readU32(), 0x12345678u);
    EXPECT_EQ(in.readI32(), -2);
    EXPECT_EQ(in.position(), sizeof bytes);
    EXPECT_FALSE(in.failed());
}

TEST(LittleEndian, NothingIsReadPastTheEnd) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03};
    LittleEndianReader in(bytes, sizeof bytes);
    EXPECT_TRUE(in.has(0, 3));
    EXPECT_TRUE(in.has(3, 0));
    EXPECT_FALSE(in.has(1, 3));
    EXPECT_FALSE(in.has(4, 0));
    // Sums that wrap round would pass a careless check.
    EXPECT_FALSE(in.has(2, SIZE_MAX));
    EXPECT_FALSE(in.has(SIZE_MAX, 2));
    EXPECT_EQ(in.u8(3), 0);
    EXPECT_EQ(in.u16(2), 0);
    EXPECT_EQ(in.u32(0), 0u);
    EXPECT_EQ(in.u32(SIZE_MAX - 1), 0u);
    EXPECT_EQ(in.bigU16(2), 0);
    EXPECT_EQ(in.bigU32(0), 0u);
    // In turn: a field cut by the end reads as 0 and fails the reading, which stays at the end.
    in.skip(1);
    EXPECT_EQ(in.readU16(), 0x0302);
    EXPECT_FALSE(in.failed());
    in.skip(1);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.position(), 3u);
    LittleEndianReader cut(bytes, sizeof bytes);
    EXPECT_EQ(cut.readU32(), 0u);
    EXPECT_TRUE(cut.failed());
    EXPECT_EQ(cut.readU8(), 0);
    EXPECT_EQ(cut.position(), 3u);
    // Bytes in place: the pointer into the data, or nothing when they are cut.
    LittleEndianReader run(bytes, sizeof bytes);
    EXPECT_EQ(run.readBytes(2), bytes);
    EXPECT_EQ(run.readBytes(2), nullptr);
    EXPECT_TRUE(run.failed());
}

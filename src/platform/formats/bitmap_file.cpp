#include "platform/formats/bitmap_file.h"

#include <algorithm>

#include "platform/files/file_system.h"
#include "platform/formats/little_endian.h"

namespace {

const uint32_t kCompressionRgb = 0;
const uint32_t kCompressionRle8 = 1;
const uint32_t kCompressionRle4 = 2;
const uint32_t kCompressionBitfields = 3;
const size_t kFileHeaderBytes = 14;
const uint32_t kCoreHeaderBytes = 12;
const uint32_t kInfoHeaderBytes = 40;
const size_t kMaxFileBytes = 256u * 1024 * 1024;

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kCompressionRgb;
    uint32_t masks[3] = {0, 0, 0};
};

bool sideInRange(int32_t side) {
    return side > 0 && side <= kMaxBitmapSide;
}

bool readHeader(const LittleEndianReader& in, Header& header, size_t& paletteAt, uint32_t& paletteCount,
                int& paletteEntryBytes) {
    if (in.u16(0) != 0x4D42) return false;
    uint32_t infoSize = in.u32(kFileHeaderBytes);
    size_t info = kFileHeaderBytes;
    int32_t height = 0;
    if (infoSize == kCoreHeaderBytes) {
        header.width = static_cast<int>(in.u16(info + 4));
        height = static_cast<int16_t>(in.u16(info + 6));
        header.bits = static_cast<int>(in.u16(info + 10));
        paletteEntryBytes = 3;
        paletteCount = 0;
    } else if (infoSize >= kInfoHeaderBytes) {
        header.width = in.i32(info + 4);
        height = in.i32(info + 8);
        header.bits = static_cast<int>(in.u16(info + 14));
        header.compression = in.u32(info + 16);
        paletteCount = in.u32(info + 32);
        paletteEntryBytes = 4;
        if (header.compression == kCompressionBitfields) {
            size_t maskAt = infoSize >= 52 ? info + 40 : info + infoSize;
            for (int i = 0; i < 3; ++i)
                header.masks[i] = in.u32(maskAt + 4 * i);
            if (infoSize < 52) infoSize += 12;
        }
    } else {
        return false;
    }
    // A negative height stands for a top-down picture. It is bounded before its sign is dropped: the
    // most negative height has no positive counterpart.
    if (!in.has(info, infoSize) || !sideInRange(header.width) || height < -kMaxBitmapSide) return false;
    header.topDown = height < 0;
    header.height = header.topDown ? -height : height;
    if (!sideInRange(header.height)) return false;
    paletteAt = info + infoSize;
    return true;
}

bool supported(const Header& header) {
    switch (header.bits) {
        case 1:
            return header.compression == kCompressionRgb;
        case 4:
            return header.compression == kCompressionRgb || header.compression == kCompressionRle4;
        case 8:
            return header.compression == kCompressionRgb || header.compression == kCompressionRle8;
        case 16:
        case 32:
            return header.compression == kCompressionRgb || header.compression == kCompressionBitfields;
        case 24:
            return header.compression == kCompressionRgb;
        default:
            return false;
    }
}

void readPalette(const LittleEndianReader& in, size_t at, uint32_t count, int entryBytes, int bits,
                 std::vector<BitmapRgb>& colours) {
    uint32_t full = 1u << bits;
    if (count == 0 || count > full) count = full;
    colours.assign(full, BitmapRgb{0, 0, 0});
    for (uint32_t i = 0; i < count && in.has(at + i * entryBytes, 3); ++i) {
        size_t entry = at + i * entryBytes;
        colours[i] = {in.u8(entry + 2), in.u8(entry + 1), in.u8(entry)};
    }
}

// The row of the decoded picture that file row r (counted from the file's first row) stands for.
int pictureRow(const Header& header, int fileRow) {
    return header.topDown ? fileRow : header.height - 1 - fileRow;
}

void decodeIndexedRows(const LittleEndianReader& in, size_t bits, const Header& header, DecodedBitmap& out) {
    size_t stride = ((static_cast<size_t>(header.width) * header.bits + 31) / 32) * 4;
    for (int r = 0; r < header.height; ++r) {
        size_t row = bits + stride * static_cast<size_t>(r);
        uint8_t* target = &out.indices[static_cast<size_t>(pictureRow(header, r)) * header.width];
        for (int x = 0; x < header.width; ++x) {
            size_t bit = static_cast<size_t>(x) * header.bits;
            uint8_t value = in.u8(row + bit / 8);
            int shift = 8 - header.bits - static_cast<int>(bit % 8);
            target[x] = static_cast<uint8_t>((value >> shift) & ((1 << header.bits) - 1));
        }
    }
}

// Expands a masked channel to 8 bits.
uint8_t channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    uint32_t v = (value >> shift) & mask;
    return static_cast<uint8_t>(v * 255 / mask);
}

void decodeColourRows(const LittleEndianReader& in, size_t bits, Header header, DecodedBitmap& out) {
    if (header.compression == kCompressionRgb && header.bits == 16) {
        header.masks[0] = 0x7C00, header.masks[1] = 0x03E0, header.masks[2] = 0x001F;
    } else if (header.compression == kCompressionRgb) {
        header.masks[0] = 0xFF0000, header.masks[1] = 0x00FF00, header.masks[2] = 0x0000FF;
    }
    int bytes = header.bits / 8;
    size_t stride = ((static_cast<size_t>(header.width) * header.bits + 31) / 32) * 4;
    for (int r = 0; r < header.height; ++r) {
        size_t row = bits + stride * static_cast<size_t>(r);
        BitmapRgb* target = &out.pixels[static_cast<size_t>(pictureRow(header, r)) * header.width];
        for (int x = 0; x < header.width; ++x) {
            size_t at = row + static_cast<size_t>(x) * bytes;
            uint32_t value = bytes == 2   ? in.u16(at)
                             : bytes == 3 ? in.u8(at) | in.u8(at + 1) << 8 | in.u8(at + 2) << 16
                                          : in.u32(at);
            target[x] = {channel(value, header.masks[0]), channel(value, header.masks[1]),
                         channel(value, header.masks[2])};
        }
    }
}

// Run-length pictures. The position never leaves the picture, whatever the data says: a run or a move
// past the row's end stops at it, a move below the last row ends the picture, and so does the end of
// the data.
void decodeRunLength(const LittleEndianReader& in, size_t at, const Header& header, DecodedBitmap& out) {
    int x = 0, r = 0;
    bool four = header.bits == 4;
    auto pixelOf = [four](uint8_t packed, int i) -> uint8_t {
        return four ? ((i & 1) ? packed & 0x0F : packed >> 4) : packed;
    };
    // Writes the first count pixels that pixel(i) gives, as far as the row has room for.
    auto put = [&](int count, auto pixel) {
        size_t row = static_cast<size_t>(pictureRow(header, r)) * header.width;
        for (int i = 0; i < count && x < header.width; ++i)
            out.indices[row + x++] = pixel(i);
    };
    while (in.has(at, 2) && r < header.height) {
        uint8_t count = in.u8(at), value = in.u8(at + 1);
        at += 2;
        if (count > 0) {
            put(count, [&](int i) { return pixelOf(value, i); });
        } else if (value == 0) {
            x = 0;
            ++r;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x = std::min(x + in.u8(at), header.width);
            r += in.u8(at + 1);
            at += 2;
        } else {
            put(value, [&](int i) { return pixelOf(in.u8(at + (four ? i / 2 : i)), i); });
            size_t used = four ? (value + 1) / 2 : value;
            at += (used + 1) & ~static_cast<size_t>(1);
        }
    }
}

}  // namespace

bool decodeBitmap(const uint8_t* data, size_t size, DecodedBitmap& out) {
    LittleEndianReader in(data, size);
    Header header;
    size_t paletteAt = 0;
    uint32_t paletteCount = 0;
    int entryBytes = 4;
    if (!readHeader(in, header, paletteAt, paletteCount, entryBytes) || !supported(header)) return false;
    size_t bits = in.u32(10);
    out.width = header.width;
    out.height = header.height;
    size_t area = static_cast<size_t>(header.width) * header.height;
    out.colours.clear();
    out.indices.clear();
    out.pixels.clear();
    if (header.bits <= 8) {
        readPalette(in, paletteAt, paletteCount, entryBytes, header.bits, out.colours);
        out.indices.assign(area, 0);
        if (header.compression == kCompressionRgb) {
            decodeIndexedRows(in, bits, header, out);
        } else {
            decodeRunLength(in, bits, header, out);
        }
    } else {
        out.pixels.assign(area, BitmapRgb{0, 0, 0});
        decodeColourRows(in, bits, header, out);
    }
    return true;
}

bool readBitmapFile(const char* sjisName, DecodedBitmap& out) {
    std::vector<uint8_t> data;
    if (!readGameFile(sjisName, kMaxFileBytes, data)) return false;
    return decodeBitmap(data.data(), data.size(), out);
}

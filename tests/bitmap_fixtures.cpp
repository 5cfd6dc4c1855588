#include "bitmap_fixtures.h"

#include "platform/formats/little_endian.h"

std::string makeBitmap(const BitmapLayout& layout) {
    uint32_t offset = 14 + 40 + static_cast<uint32_t>(layout.colours.size()) * 4;
    std::string out;
    LittleEndianWriter write(out);
    write.bytes("BM", 2);
    write.u32(offset + static_cast<uint32_t>(layout.pixels.size()));
    write.u32(0);
    write.u32(offset);
    write.u32(40);
    write.i32(layout.width);
    write.i32(layout.height);
    write.u16(1);
    write.u16(layout.bits);
    write.u32(layout.compression);
    write.u32(static_cast<uint32_t>(layout.pixels.size()));
    write.u32(2835);
    write.u32(2835);
    write.u32(layout.coloursUsed ? layout.coloursUsed : static_cast<uint32_t>(layout.colours.size()));
    write.u32(0);
    for (uint32_t colour : layout.colours)
        write.u32(colour);
    write.bytes(layout.pixels.data(), layout.pixels.size());
    return out;
}

std::string bottomUpRows(const std::vector<std::vector<uint8_t>>& rowsTopFirst) {
    std::string out;
    for (auto row = rowsTopFirst.rbegin(); row != rowsTopFirst.rend(); ++row) {
        std::string bytes(row->begin(), row->end());
        while (bytes.size() % 4)
            bytes += '\0';
        out += bytes;
    }
    return out;
}

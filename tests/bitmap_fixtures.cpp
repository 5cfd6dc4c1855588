#include "bitmap_fixtures.h"

#include "little_endian.h"

std::string makeBitmap(const BitmapLayout& layout) {
    uint32_t offset = 14 + 40 + static_cast<uint32_t>(layout.colours.size()) * 4;
    std::string out = "BM";
    put32(out, offset + static_cast<uint32_t>(layout.pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(layout.width));
    put32(out, static_cast<uint32_t>(layout.height));
    put16(out, 1);
    put16(out, layout.bits);
    put32(out, layout.compression);
    put32(out, static_cast<uint32_t>(layout.pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, layout.coloursUsed ? layout.coloursUsed : static_cast<uint32_t>(layout.colours.size()));
    put32(out, 0);
    for (uint32_t colour : layout.colours)
        put32(out, colour);
    return out + layout.pixels;
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

// Bitmap files made by the tests: any header values, colour table and pixel bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct BitmapLayout {
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bits = 8;
    uint32_t compression = 0;
    std::vector<uint32_t> colours;  // 0xRRGGBB
    uint32_t coloursUsed = 0;       // the header's count; 0: the table's size
    std::string pixels;             // exactly as stored in the file
};

std::string makeBitmap(const BitmapLayout& layout);
// Rows of one byte a pixel, each padded to four bytes, bottom row first.
std::string bottomUpRows(const std::vector<std::vector<uint8_t>>& rowsTopFirst);

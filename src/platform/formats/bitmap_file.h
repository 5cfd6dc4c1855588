// Our own reader of Windows bitmap files: 1, 4, 8, 16, 24 and 32 bits a pixel, bottom-up and
// top-down, RLE8 and RLE4.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct BitmapRgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // Pictures of up to 8 bits keep their colour table and one index a pixel; deeper pictures have
    // an empty table and one colour a pixel. Rows run top to bottom.
    std::vector<BitmapRgb> colours;
    std::vector<uint8_t> indices;
    std::vector<BitmapRgb> pixels;
    bool indexed() const { return !colours.empty(); }
};

// Bitmaps larger than this are refused rather than read.
const int kMaxBitmapSide = 4096;

// Reads and decodes a file. False for a file that cannot be opened or is no bitmap we can read;
// a truncated pixel array reads as far as it goes (the rest is colour 0).
bool readBitmapFile(const char* sjisName, DecodedBitmap& out);
bool decodeBitmap(const uint8_t* data, size_t size, DecodedBitmap& out);

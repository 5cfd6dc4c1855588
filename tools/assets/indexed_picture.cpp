#include "indexed_picture.h"

#include <climits>

#include "platform/formats/little_endian.h"

IndexedPicture::IndexedPicture(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill), palette_(256) {}

void IndexedPicture::set(int x, int y, uint8_t index) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y) * width_ + x] = index;
}

void IndexedPicture::fillRect(int x, int y, int width, int height, uint8_t index) {
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col)
            set(col, row, index);
    }
}

void IndexedPicture::fillCircle(double cx, double cy, double radius, uint8_t index) {
    for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y) {
        for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius) set(x, y, index);
        }
    }
}

std::string IndexedPicture::bmpBytes() const {
    const uint32_t headers = 14 + 40 + 256 * 4;
    uint32_t stride = (static_cast<uint32_t>(width_) + 3) & ~3u;
    uint32_t imageBytes = stride * static_cast<uint32_t>(height_);
    std::string out;
    LittleEndianWriter write(out);
    write.bytes("BM", 2);
    write.u32(headers + imageBytes);
    write.u32(0);
    write.u32(headers);
    write.u32(40);
    write.i32(width_);
    write.i32(height_);
    write.u16(1);
    write.u16(8);
    write.u32(0);
    write.u32(imageBytes);
    write.u32(2835);
    write.u32(2835);
    write.u32(256);
    write.u32(0);
    for (const Rgb& c : palette_) {
        write.u8(c.blue);
        write.u8(c.green);
        write.u8(c.red);
        write.u8(0);
    }
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x)
            write.u8(at(x, y));
        for (uint32_t pad = static_cast<uint32_t>(width_); pad < stride; ++pad)
            write.u8(0);
    }
    return out;
}

uint8_t nearestEntry(const std::vector<Rgb>& palette, int r, int g, int b, int first, int last) {
    int best = first, bestDistance = INT_MAX;
    for (int i = first; i <= last; ++i) {
        int dr = palette[i].red - r, dg = palette[i].green - g, db = palette[i].blue - b;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) bestDistance = distance, best = i;
    }
    return static_cast<uint8_t>(best);
}

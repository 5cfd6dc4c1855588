// An 8-bit picture with its 256-colour table, written as a bottom-up Windows bitmap.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

class IndexedPicture {
public:
    IndexedPicture(int width, int height, uint8_t fill = 0);
    int width() const { return width_; }
    int height() const { return height_; }
    uint8_t at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void set(int x, int y, uint8_t index);
    void fillRect(int x, int y, int width, int height, uint8_t index);
    // Every pixel whose centre lies within radius of (cx, cy).
    void fillCircle(double cx, double cy, double radius, uint8_t index);
    std::vector<Rgb>& palette() { return palette_; }
    // The bytes of the BMP file.
    std::string bmpBytes() const;

private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
    std::vector<Rgb> palette_;
};

// The index of the colour in the palette nearest to (r, g, b), searching entries first..last.
uint8_t nearestEntry(const std::vector<Rgb>& palette, int r, int g, int b, int first = 0, int last = 255);

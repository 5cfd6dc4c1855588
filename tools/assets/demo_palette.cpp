#include "demo_palette.h"

#include <cmath>

namespace {

void ramp(std::vector<Rgb>& palette, int& entry, Rgb from, Rgb to, int count) {
    for (int i = 0; i < count; ++i) {
        double t = count == 1 ? 0 : static_cast<double>(i) / (count - 1);
        palette[entry++] = {static_cast<uint8_t>(from.red + (to.red - from.red) * t),
                            static_cast<uint8_t>(from.green + (to.green - from.green) * t),
                            static_cast<uint8_t>(from.blue + (to.blue - from.blue) * t)};
    }
}

const int kDither[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

std::vector<Rgb> demoPalette() {
    std::vector<Rgb> palette(256);
    palette[0] = {0, 0, 0};
    palette[1] = {255, 0, 255};
    palette[2] = {160, 160, 160};
    palette[255] = {255, 255, 255};
    int entry = 3;
    ramp(palette, entry, {20, 40, 120}, {180, 215, 255}, 32);   // sky
    ramp(palette, entry, {70, 30, 110}, {255, 200, 90}, 32);    // sunset
    ramp(palette, entry, {10, 50, 20}, {160, 225, 120}, 32);    // leaves and grass
    ramp(palette, entry, {50, 25, 10}, {200, 140, 80}, 16);     // wood
    ramp(palette, entry, {170, 110, 90}, {255, 232, 215}, 16);  // skin
    ramp(palette, entry, {35, 18, 18}, {170, 100, 60}, 16);     // hair
    ramp(palette, entry, {150, 40, 80}, {255, 232, 242}, 32);   // blossom
    ramp(palette, entry, {30, 30, 34}, {235, 235, 240}, 16);    // greys
    ramp(palette, entry, {20, 30, 90}, {130, 170, 245}, 16);    // cloth
    ramp(palette, entry, {90, 10, 20}, {250, 100, 100}, 16);    // reds
    ramp(palette, entry, {5, 5, 20}, {70, 70, 130}, 16);        // night
    ramp(palette, entry, {120, 90, 10}, {255, 245, 160}, 12);   // gold
    return palette;
}

uint8_t Painter::nearest(double r, double g, double b) const {
    auto clamp = [](double v) { return static_cast<int>(v < 0 ? 0 : v > 255 ? 255 : v); };
    int red = clamp(r), green = clamp(g), blue = clamp(b);
    uint32_t key = static_cast<uint32_t>(red << 16 | green << 8 | blue);
    auto found = nearest_.find(key);
    if (found != nearest_.end()) return found->second;
    // Entries 0, 1, 2 and 255 are reserved; the picture uses the ramps only.
    uint8_t index = nearestEntry(picture_.palette(), red, green, blue, 3, 254);
    nearest_[key] = index;
    return index;
}

void Painter::dot(int x, int y, double r, double g, double b) {
    if (x < 0 || y < 0 || x >= picture_.width() || y >= picture_.height()) return;
    double jitter = (kDither[y & 3][x & 3] - 7.5) * 1.6;
    picture_.set(x, y, nearest(r + jitter, g + jitter, b + jitter));
}

void Painter::rect(int x, int y, int width, int height, double r, double g, double b) {
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col)
            dot(col, row, r, g, b);
    }
}

void Painter::disc(double cx, double cy, double radius, double r, double g, double b) {
    ellipse(cx, cy, radius, radius, r, g, b);
}

void Painter::ellipse(double cx, double cy, double rx, double ry, double r, double g, double b) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y) {
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1) dot(x, y, r, g, b);
        }
    }
}

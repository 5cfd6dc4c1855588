#include "platform/window/screen_picture.h"

#include <algorithm>
#include <cstring>

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    int right = std::max(a.x + a.width, b.x + b.width), bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    int right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

void screenToRgb(const ScreenSource& source, uint8_t* rgb) {
    if (!source.pixels || !source.palette) {
        std::memset(rgb, 0, kScreenWidth * kScreenHeight * 3);
        return;
    }
    for (int y = 0; y < kScreenHeight; ++y) {
        const uint8_t* row = source.pixels + y * source.pitch;
        for (int x = 0; x < kScreenWidth; ++x) {
            const uint8_t* colour = source.palette + row[x] * 4;
            *rgb++ = colour[0];
            *rgb++ = colour[1];
            *rgb++ = colour[2];
        }
    }
}

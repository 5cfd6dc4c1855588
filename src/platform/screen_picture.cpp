#include "platform/screen_picture.h"

#include <cstring>

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

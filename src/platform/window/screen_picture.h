// Slot 0 seen through the device palette, as the reader sees it.
#pragma once
#include <cstdint>

#include "platform/window_system.h"

const int kScreenWidth = 640;
const int kScreenHeight = 480;
const int kPaletteBytes = 256 * 4;

// A rectangle of pixels, of the picture or of the window that shows it.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect unite(const PixelRect& a, const PixelRect& b);
// Where both overlap; empty when they do not.
PixelRect intersect(const PixelRect& a, const PixelRect& b);

// Writes the screen as 3 bytes a pixel (red, green, blue); black where there is no screen yet.
void screenToRgb(const ScreenSource& source, uint8_t* rgb);

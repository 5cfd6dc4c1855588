#include <cstdlib>

#include "display/display.h"
#include "shell/shell.h"

namespace {

// Widest pen drawn; wider pens are drawn this wide.
const int32_t kWidestPen = 64;

void plot(uint8_t* pixels, int32_t pitch, int32_t x, int32_t y, uint8_t index) {
    if (x >= 0 && y >= 0 && x < kSlotWidth && y < kSlotHeight) pixels[y * pitch + x] = index;
}

// A round pen of the given width centred on (x, y), as a geometric pen draws it.
void stamp(uint8_t* pixels, int32_t pitch, int32_t x, int32_t y, int32_t width, uint8_t index) {
    if (width <= 1) return plot(pixels, pitch, x, y, index);
    int32_t low = -(width / 2), high = (width - 1) / 2;
    // Twice the radius, measured between pixel centres of a disc of the pen's width.
    int64_t limit = static_cast<int64_t>(width) * width;
    for (int32_t dy = low; dy <= high; ++dy) {
        for (int32_t dx = low; dx <= high; ++dx) {
            int64_t ex = 2 * dx + 1 - (width & 1), ey = 2 * dy + 1 - (width & 1);
            if (ex * ex + ey * ey <= limit) plot(pixels, pitch, x + dx, y + dy, index);
        }
    }
}

}  // namespace

// A solid line from (x1, y1) towards (x2, y2); the end point itself is not drawn, as with any GDI
// line.
void Display::drawLine(int slot, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t penWidth,
                       uint32_t colour) {
    if (slot == SLOT_SCREEN && !g_fullScreen) {
        x1 += g_clientX, y1 += g_clientY, x2 += g_clientX, y2 += g_clientY;
    }
    mapSurface(slot);
    uint8_t index = nearestIndex(colour);
    int32_t width = penWidth > kWidestPen ? kWidestPen : penWidth;
    int64_t dx = std::llabs(static_cast<int64_t>(x2) - x1), dy = -std::llabs(static_cast<int64_t>(y2) - y1);
    int64_t stepX = x1 < x2 ? 1 : -1, stepY = y1 < y2 ? 1 : -1, error = dx + dy;
    int64_t x = x1, y = y1;
    while (x != x2 || y != y2) {
        stamp(pixels[slot], pitch[slot], static_cast<int32_t>(x), static_cast<int32_t>(y), width, index);
        int64_t twice = 2 * error;
        if (twice >= dy) error += dy, x += stepX;
        if (twice <= dx) error += dx, y += stepY;
    }
}

void Display::drawFrame(int slot, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t penWidth,
                        uint32_t colour) {
    drawLine(slot, left, top, left, bottom, penWidth, colour);
    drawLine(slot, right, top, right, bottom, penWidth, colour);
    drawLine(slot, left, top, right, top, penWidth, colour);
    drawLine(slot, left, bottom, right, bottom, penWidth, colour);
}

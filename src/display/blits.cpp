#include <cstdint>
#include <cstring>

#include "display/coordinates.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

bool insideSlot(int32_t x, int32_t y, int32_t width, int32_t height) {
    return width > 0 && height > 0 && x >= 0 && y >= 0 && x <= kSlotWidth - width &&
           y <= kSlotHeight - height;
}

}  // namespace

void Display::copyOpaque(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                         int32_t height, int dstSlot, int srcSlot) {
    if (!insideSlot(dstX, dstY, width, height) || !insideSlot(srcX, srcY, width, height)) return;
    for (int32_t y = 0; y < height; ++y) {
        std::memmove(pixels[dstSlot] + (dstY + y) * pitch[dstSlot] + dstX,
                     pixels[srcSlot] + (srcY + y) * pitch[srcSlot] + srcX, static_cast<size_t>(width));
    }
}

void Display::copyKeyed(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                        int dstSlot, int srcSlot) {
    if (!insideSlot(dstX, dstY, width, height) || !insideSlot(srcX, srcY, width, height)) return;
    uint8_t key = transparentIndex();
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = pixels[dstSlot] + (dstY + y) * pitch[dstSlot] + dstX;
        const uint8_t* in = pixels[srcSlot] + (srcY + y) * pitch[srcSlot] + srcX;
        for (int32_t x = 0; x < width; ++x) {
            if (in[x] != key) out[x] = in[x];
        }
    }
}

// Clips against the 640×480 destination; the source rectangle follows. Worked in 64 bits so that any
// numbers a script passes stay exact.
bool Display::clipToScreen(int32_t& dstX, int32_t& dstY, int32_t& srcX, int32_t& srcY, int32_t& width,
                           int32_t& height) {
    int64_t dx = dstX, dy = dstY, sx = srcX, sy = srcY, w = width, h = height;
    bool empty = false;
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
        empty = w < 1;
    }
    if (!empty && dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
        empty = h < 1;
    }
    empty = empty || dx >= kSlotWidth || dy >= kSlotHeight;
    if (dx + w > kSlotWidth) w = kSlotWidth - dx;
    if (dy + h > kSlotHeight) h = kSlotHeight - dy;
    dstX = static_cast<int32_t>(dx);
    dstY = static_cast<int32_t>(dy);
    srcX = clampToInt32(sx);
    srcY = clampToInt32(sy);
    width = clampToInt32(w);
    height = clampToInt32(h);
    return empty;
}

void Display::copyKeyedClipped(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                               int32_t height, int dstSlot, int srcSlot) {
    if (!clipToScreen(dstX, dstY, srcX, srcY, width, height)) {
        copyKeyed(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    }
}

void Display::copyOpaqueClipped(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                int32_t height, int dstSlot, int srcSlot) {
    if (!clipToScreen(dstX, dstY, srcX, srcY, width, height)) {
        copyOpaque(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    }
}

// Clipped to the destination as the window's clipper clips it, in both variants: the page cursor at
// the foot of a full page (y 466, 32 high) is shown as far as it fits rather than not at all.
void Display::showRect(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                       int dstSlot, int srcSlot) {
    if (dstSlot == SLOT_SCREEN && !g_fullScreen) {
        dstX += g_clientX;
        dstY += g_clientY;
    }
    copyKeyedClipped(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
}

void Display::fillTransparent(int32_t x, int32_t y, int32_t width, int32_t height, int slot) {
    fillRect(x, y, width, height, slot, transparentIndex());
}

void Display::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, int slot, uint8_t index) {
    int32_t srcX = 0, srcY = 0;
    if (width <= 0 || height <= 0 || clipToScreen(x, y, srcX, srcY, width, height)) return;
    mapSurface(slot);
    for (int32_t row = y; row < y + height; ++row) {
        std::memset(pixels[slot] + row * pitch[slot] + x, index, static_cast<size_t>(width));
    }
}

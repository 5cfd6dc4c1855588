#include <cstdint>
#include <cstring>

#include "display/display.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/bitmap_file.h"
#include "shell/shell.h"

namespace {

bool sameColour(const BitmapRgb& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

uint8_t nearest(const BitmapRgb& c) {
    return Display::nearestIndex(c.red | c.green << 8 | c.blue << 16);
}

// Remembers the nearest device index of the colours of one deep picture, which repeat a lot.
class NearestColours {
public:
    uint8_t operator()(const BitmapRgb& c) {
        uint32_t colour = 0x1000000u | c.red | c.green << 8 | c.blue << 16;
        uint32_t slot = (colour * 2654435761u) >> (32 - kBits);
        if (colours_[slot] != colour) {
            colours_[slot] = colour;
            indices_[slot] = nearest(c);
        }
        return indices_[slot];
    }

private:
    static const int kBits = 12;
    uint32_t colours_[1 << kBits] = {};
    uint8_t indices_[1 << kBits] = {};
};

// How a palette device maps a colour table: an entry whose colour equals the device colour that
// shows table entry i keeps that index, any other colour takes the nearest device colour. In the
// windowed variant the system graphics keep their index 0 as 0, so the wipe masks (set where the
// index is not 0) read as drawn.
void buildIndexMap(const DecodedBitmap& bitmap, int slot, uint8_t map[256]) {
    for (size_t i = 0; i < bitmap.colours.size() && i < 256; ++i) {
        int device = Display::deviceIndex(static_cast<int>(i));
        bool keeps = device < kPaletteEntries && sameColour(bitmap.colours[i], g_devicePalette[device]);
        map[i] = keeps ? static_cast<uint8_t>(device) : nearest(bitmap.colours[i]);
    }
    if (slot == SLOT_SYSTEM && !g_fullScreen) map[0] = 0;
}

}  // namespace

bool Display::loadBitmap(const char* fileName, int32_t width, int32_t height, int32_t dstX, int32_t dstY,
                         int32_t srcX, int32_t srcY, int slot) {
    DecodedBitmap bitmap;
    if (!readBitmapFile(fileName, bitmap)) fatalErrorWith(sjis(kMissingBitmapMessage), fileName);
    // The part of the rectangle that the picture does not cover reads as black, never as what the
    // slot held before; only what lies inside both the picture and the slot is copied.
    bool covered = srcX >= 0 && srcY >= 0 && static_cast<int64_t>(srcX) + width <= bitmap.width &&
                   static_cast<int64_t>(srcY) + height <= bitmap.height;
    if (!covered) fillRect(dstX, dstY, width, height, slot, 0);
    if (srcX < 0) width += srcX, dstX -= srcX, srcX = 0;
    if (srcY < 0) height += srcY, dstY -= srcY, srcY = 0;
    if (srcX + width > bitmap.width) width = bitmap.width - srcX;
    if (srcY + height > bitmap.height) height = bitmap.height - srcY;
    if (clipToScreen(dstX, dstY, srcX, srcY, width, height) || width <= 0 || height <= 0) return true;
    uint8_t map[256] = {};
    if (bitmap.indexed()) buildIndexMap(bitmap, slot, map);
    NearestColours nearestColour;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = pixels[slot] + (dstY + y) * pitch[slot] + dstX;
        size_t row = static_cast<size_t>(srcY + y) * bitmap.width + srcX;
        for (int32_t x = 0; x < width; ++x) {
            out[x] = bitmap.indexed() ? map[bitmap.indices[row + x]] : nearestColour(bitmap.pixels[row + x]);
        }
    }
    return true;
}

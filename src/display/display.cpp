#include "display/display.h"

#include <cstdint>
#include <cstring>

#include "platform/window_system.h"
#include "shell/shell.h"

PaletteEntry g_basePalette[kPaletteEntries];
PaletteEntry g_shownPalette[kPaletteEntries];
PaletteEntry g_filePalette[kPaletteEntries];
PaletteEntry g_devicePalette[kPaletteEntries];
uint8_t g_fadeLocked[kPaletteEntries];
int32_t g_clientX = 0;
int32_t g_clientY = 0;
Display g_display;

namespace {

const int kWindowedShift = 10;
const int kWindowedEntries = 236;
const uint8_t kFullScreenTransparent = kTransparentEntry;
const uint8_t kWindowedTransparent = kTransparentEntry + kWindowedShift;

uint8_t g_slotMemory[kSlotCount][kSlotHeight][kSlotWidth];

// The twenty colours Windows keeps in device entries 0–9 and 246–255 of a windowed palette.
const PaletteEntry kStaticColours[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

}  // namespace

uint8_t Display::transparentIndex() {
    return g_fullScreen ? kFullScreenTransparent : kWindowedTransparent;
}

int Display::deviceIndex(int index) {
    return g_fullScreen ? index : index + kWindowedShift;
}

bool Display::open() {
    std::memset(g_devicePalette, 0, sizeof g_devicePalette);
    if (!g_fullScreen) {
        std::memcpy(g_devicePalette, kStaticColours, 10 * sizeof(PaletteEntry));
        std::memcpy(g_devicePalette + 246, kStaticColours + 10, 10 * sizeof(PaletteEntry));
    }
    sendPalette(g_basePalette);
    open_ = true;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        clear(slot);
        mapSurface(slot);
    }
    computeClientOrigin();
    ScreenSource source;
    source.pixels = pixels[SLOT_SCREEN];
    source.pitch = pitch[SLOT_SCREEN];
    source.palette = &g_devicePalette[0].red;
    g_windowSystem->setScreenSource(source);
    return true;
}

// The window keeps the picture it showed last, under the message box that may follow.
void Display::close() {
    if (!open_) return;
    g_windowSystem->setScreenSource({});
    clear(SLOT_SCREEN);
    clear(SLOT_BACK);
}

void Display::clear(int slot) {
    fill(slot, 0);
}

void Display::fill(int slot, uint8_t index) {
    std::memset(g_slotMemory[slot], index, sizeof g_slotMemory[slot]);
}

void Display::present() {
    std::memcpy(g_slotMemory[SLOT_SCREEN], g_slotMemory[SLOT_BACK], sizeof g_slotMemory[SLOT_SCREEN]);
}

void Display::mapSurface(int slot) {
    pixels[slot] = &g_slotMemory[slot][0][0];
    pitch[slot] = kSlotWidth;
}

void Display::computeClientOrigin() {
    // Slot 0 is exactly the picture inside the window, in both variants.
    g_clientX = 0;
    g_clientY = 0;
}

void Display::sendPalette(const PaletteEntry* table) {
    if (g_fullScreen) {
        std::memcpy(g_devicePalette, table, sizeof g_devicePalette);
    } else {
        std::memcpy(g_devicePalette + kWindowedShift, table, kWindowedEntries * sizeof(PaletteEntry));
    }
}

void Display::sendPaletteEntry(int entry, const PaletteEntry& colour) {
    if (g_fullScreen || entry < kWindowedEntries) g_devicePalette[deviceIndex(entry)] = colour;
}

uint32_t colourOf(const PaletteEntry& entry) {
    return static_cast<uint32_t>(entry.red) | static_cast<uint32_t>(entry.green) << 8 |
           static_cast<uint32_t>(entry.blue) << 16;
}

uint8_t Display::nearestIndex(uint32_t colour) {
    int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PaletteEntry& c = g_devicePalette[i];
        int dr = c.red - red, dg = c.green - green, db = c.blue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<uint8_t>(best);
}

uint8_t Display::pixelOfEntry(int index) {
    bool shown = g_fullScreen || index < kWindowedEntries;
    return shown ? static_cast<uint8_t>(deviceIndex(index)) : nearestIndex(colourOf(g_basePalette[index]));
}

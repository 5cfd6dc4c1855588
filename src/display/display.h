// The 640×480 256-colour display: ten slots of palette indices, the palette tables, and the device
// palette that the presenter shows slot 0 through.
#pragma once
#include <cstdint>

const int SLOT_SCREEN = 0;
const int SLOT_BACK = 1;
const int SLOT_SYSTEM = 2;
const int SLOT_TEXT = 3;
const int SLOT_SPARE = 4;
const int SLOT_BG = 5;
const int SLOT_CHARS = 6;
const int SLOT_CENTER = 7;
const int SLOT_SCENE = 8;
const int SLOT_WORK = 9;

const int kSlotCount = 10;
const int kSlotWidth = 640;
const int kSlotHeight = 480;
const int kPaletteEntries = 256;

struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flag;
};

extern PaletteEntry g_basePalette[kPaletteEntries];
extern PaletteEntry g_shownPalette[kPaletteEntries];
extern PaletteEntry g_filePalette[kPaletteEntries];
extern PaletteEntry g_devicePalette[kPaletteEntries];
extern uint8_t g_fadeLocked[kPaletteEntries];
extern int32_t g_clientX;
extern int32_t g_clientY;

class Display {
public:
    bool open();
    void close();
    bool isOpen() const { return open_; }
    void clear(int slot);
    void fill(int slot, uint8_t index);
    void present();
    void mapSurface(int slot);
    void computeClientOrigin();
    // Sends the table to the device palette: all 256 entries full screen, table 0–235 to device
    // 10–245 in the windowed variant, whose device entries 0–9 and 246–255 keep the static colours.
    void sendPalette(const PaletteEntry* table);
    // Sends one table entry to its device entry.
    void sendPaletteEntry(int entry, const PaletteEntry& colour);
    static uint8_t transparentIndex();
    // The device index that shows table entry index (shifted by 10 in the windowed variant).
    static int deviceIndex(int index);

    uint8_t* pixels[kSlotCount] = {};
    int32_t pitch[kSlotCount] = {};

private:
    bool open_ = false;
};

extern Display g_display;

// The 640×480 256-colour display: ten slots of palette indices, the palette tables, and the device
// palette that the presenter shows slot 0 through.
#pragma once
#include <cstddef>
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
// The palette entries the engine keeps for itself: no palette file replaces the shadow, the grey or the
// white, and the colour key is the colour of entry 1 (shown at 11 in the windowed variant).
const int kShadowEntry = 0;
const int kTransparentEntry = 1;
const int kGreyEntry = 2;
const int kWhiteEntry = 255;

// The look of the engine's menus and pages: lines in the 26-pixel menu font at weight 800 with a
// shadow, grey, and white for the line under the pointer.
const int32_t kMenuFontHeight = 26;
const int32_t kMenuFontWeight = 800;
const int32_t kMenuShadowOffset = 2;  // the shadow, in entry 0's colour, right and down
const int kMenuPlain = kGreyEntry;
const int kMenuHighlighted = kWhiteEntry;

// What loading a picture that cannot be read stops with, the file's name in place of %s.
inline constexpr char kMissingBitmapMessage[] = "%s ファイルが見つかりません";

// A slot is one byte a pixel, its rows one after another.
const size_t kSlotBytes = static_cast<size_t>(kSlotWidth) * kSlotHeight;

// Colours handed to the text and pen operations: red | green << 8 | blue << 16.
struct PaletteEntry;
uint32_t colourOf(const PaletteEntry& entry);

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
    bool loadPalette(const char* fileName);
    bool loadBitmap(const char* fileName, int32_t width, int32_t height, int32_t dstX, int32_t dstY,
                    int32_t srcX, int32_t srcY, int slot);
    void clear(int slot);
    void fill(int slot, uint8_t index);
    void present();
    void mapSurface(int slot);
    void computeClientOrigin();

    // Rectangle copies between slots. The unclipped ones are refused whole, as the device refuses
    // them, when a rectangle leaves the 640×480 slot.
    void copyKeyed(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                   int dstSlot, int srcSlot);
    void copyOpaque(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                    int dstSlot, int srcSlot);
    void copyKeyedClipped(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                          int32_t height, int dstSlot, int srcSlot);
    void copyOpaqueClipped(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                           int32_t height, int dstSlot, int srcSlot);
    static bool clipToScreen(int32_t& dstX, int32_t& dstY, int32_t& srcX, int32_t& srcY, int32_t& width,
                             int32_t& height);
    void showRect(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                  int dstSlot, int srcSlot);
    // Writes the transparent index into the rectangle, limited to the slot.
    void fillTransparent(int32_t x, int32_t y, int32_t width, int32_t height, int slot);
    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, int slot, uint8_t index);
    void drawLine(int slot, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t penWidth,
                  uint32_t colour);
    void drawFrame(int slot, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t penWidth,
                   uint32_t colour);

    // Text on a slot, in a font made for the call; returns the measured height.
    int32_t drawText(int32_t x, int32_t y, int32_t centreX, int32_t centreY, const char* text,
                     int32_t fontHeight, int32_t fontWidth, int32_t fontWeight, int32_t shadow,
                     uint32_t colour, bool italic, const char* faceName, int32_t charSet, int slot,
                     int32_t escapement);
    int32_t drawMenuText(int32_t x, int32_t y, const char* text, int32_t fontHeight, int32_t fontWidth,
                         int32_t fontWeight, int32_t shadow, uint32_t colour, int slot);
    int32_t drawTitleText(int32_t x, int32_t y, const char* text, int slot);
    // Draws length bytes of text in the font (of the text rasteriser) with the pixel value index.
    void drawGlyphs(int font, const char* text, size_t length, int32_t x, int32_t y, uint8_t index, int slot);
    // Sends the table to the device palette: all 256 entries full screen, table 0–235 to device
    // 10–245 in the windowed variant, whose device entries 0–9 and 246–255 keep the static colours.
    void sendPalette(const PaletteEntry* table);
    // Sends one table entry to its device entry.
    void sendPaletteEntry(int entry, const PaletteEntry& colour);
    // The device index whose colour is nearest to red | green << 8 | blue << 16, the lowest on ties.
    static uint8_t nearestIndex(uint32_t colour);
    static uint8_t transparentIndex();
    // The device index that shows table entry index (shifted by 10 in the windowed variant).
    static int deviceIndex(int index);
    // The pixel value that shows palette table entry index: its device index where the device shows
    // that entry, else the nearest device colour to its base colour.
    static uint8_t pixelOfEntry(int index);

    uint8_t* pixels[kSlotCount] = {};
    int32_t pitch[kSlotCount] = {};

private:
    bool open_ = false;
};

extern Display g_display;

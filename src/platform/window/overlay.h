// What the window draws of its own over the picture it shows (a notice, a message box): a layer of the
// picture's size, laid over the screen as the window shows it and never written into the engine's
// screen, so that shots and screenshots stay the engine's picture.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/window/screen_picture.h"

// 0xAARRGGBB. Alpha 0 leaves the picture as it is, 255 covers it.
using OverlayColour = uint32_t;

class Overlay {
public:
    // Nothing is drawn: the picture shows as it is.
    bool empty() const { return drawn_.empty(); }
    void fill(const PixelRect& area, OverlayColour colour);
    // Shift-JIS text in a font of the text rasteriser, its cell's top-left corner at (x, y).
    void drawText(int font, const char* text, size_t length, int x, int y, OverlayColour colour);
    // Makes the area see-through again.
    void erase(const PixelRect& area);
    // The area drawn or erased since the last call; empty when nothing changed.
    PixelRect takeChanges();
    // Lays the overlay over width picture colours (0x00RRGGBB) of row y, from column x.
    void composeRow(int y, int x, int width, uint32_t* colours) const;

private:
    void touch(const PixelRect& area);

    std::vector<OverlayColour>
        pixels_;       // made at the first drawing: a window that draws nothing pays nothing
    PixelRect drawn_;  // holds every pixel that is not see-through
    PixelRect changed_;
};

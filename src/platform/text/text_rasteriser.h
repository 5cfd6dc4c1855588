// Text in the fonts the engine asks for, rasterised monochrome for 8-bit surfaces. Faces are looked up
// once, glyphs rendered once; the engine still makes and drops its font per drawing call in its own
// terms.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

struct FontRequest {
    const char* face;  // Shift-JIS face name, as scripts and the engine write it
    int32_t height;    // > 0: the cell height; < 0: the character (em) height; 0: a default height
    int32_t width;     // 0: the face's own proportions; otherwise the average character width
    int32_t weight;    // 600 and more: emboldened by one pixel
    bool italic;
};

struct TargetSurface {
    uint8_t* pixels;
    int32_t pitch;
    int32_t width;
    int32_t height;
};

// The largest font drawn, as a height of either kind and as a width: a larger request draws at it.
const int32_t kLargestFontSize = 1024;
inline int32_t drawableFontSize(int32_t size) {
    return std::clamp(size, -kLargestFontSize, kLargestFontSize);
}

// A font made from a request; cheap to make again, since faces and glyphs are kept.
int openFont(const FontRequest& request);
// The extent of length bytes of Shift-JIS text: the sum of the advances, and the cell height.
void measureText(int font, const char* text, size_t length, int32_t& width, int32_t& height);
// Draws the text with its cell's top-left corner at (x, y), writing index into the glyphs' pixels;
// nothing is written outside the surface.
void drawTextPixels(int font, const char* text, size_t length, int32_t x, int32_t y, uint8_t index,
                    const TargetSurface& surface);

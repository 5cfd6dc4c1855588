// The region of a transition: source pixel (srcX + u, srcY + v) goes to destination pixel
// (dstX + u, dstY + v). Scripts can pass any numbers, so only the part that lies inside both slots is
// ever touched, and the effects walk only the tiles and columns that can reach it.
#pragma once
#include <cstdint>

#include "display/display.h"

// The tiles of one size whose pixels may be visible: columns [firstColumn, endColumn) and rows
// [firstRow, endRow). Only whole tiles count; a remainder narrower than a tile is never touched.
struct TileGrid {
    int64_t firstColumn;
    int64_t endColumn;
    int64_t firstRow;
    int64_t endRow;
};

class EffectRegion {
public:
    EffectRegion(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                 int dstSlot, int srcSlot);

    int64_t width() const { return width_; }
    int64_t height() const { return height_; }
    // Pixels u in [firstU, endU) and v in [firstV, endV) lie inside both slots.
    int64_t firstU() const { return firstU_; }
    int64_t endU() const { return endU_; }
    int64_t firstV() const { return firstV_; }
    int64_t endV() const { return endV_; }

    void copy(int64_t u, int64_t v) {
        if (inside(u, v)) *target(u, v) = *source(u, v);
    }
    // Copies unless the source pixel is transparent.
    void copyKeyed(int64_t u, int64_t v) {
        if (inside(u, v) && *source(u, v) != key_) *target(u, v) = *source(u, v);
    }
    TileGrid tiles(int size) const {
        TileGrid grid;
        visibleTiles(size, width_ / size, firstU_, endU_, grid.firstColumn, grid.endColumn);
        visibleTiles(size, height_ / size, firstV_, endV_, grid.firstRow, grid.endRow);
        return grid;
    }

private:
    bool inside(int64_t u, int64_t v) const { return u >= firstU_ && u < endU_ && v >= firstV_ && v < endV_; }
    uint8_t* target(int64_t u, int64_t v) const { return dst_ + (dstY_ + v) * dstPitch_ + dstX_ + u; }
    const uint8_t* source(int64_t u, int64_t v) const { return src_ + (srcY_ + v) * srcPitch_ + srcX_ + u; }
    static void visibleTiles(int size, int64_t count, int64_t firstPixel, int64_t endPixel, int64_t& first,
                             int64_t& end);

    int64_t dstX_, dstY_, srcX_, srcY_, width_, height_;
    int64_t firstU_, endU_, firstV_, endV_;
    uint8_t* dst_;
    const uint8_t* src_;
    int64_t dstPitch_, srcPitch_;
    uint8_t key_;
};

// The region of a transition: source pixel (srcX + u, srcY + v) goes to destination pixel
// (dstX + u, dstY + v). Scripts can pass any numbers. The steps are those of the whole region as the
// author wrote it, so an effect takes its time even where the region lies off the screen; only the
// drawing is clipped, to the part inside both slots, and only tiles that can reach it are walked.
#pragma once
#include <cstdint>

#include "display/display.h"

// The tiles of one size: columns 0 … columns − 1 of the whole region (C's truncating division, so a
// negative width has a negative count, as the engine's step formulas expect), of which columns
// [firstColumn, endColumn) and rows [firstRow, endRow) may be visible. Only whole tiles count; a
// remainder narrower than a tile is never touched.
struct TileGrid {
    int64_t columns;
    int64_t firstColumn;
    int64_t endColumn;
    int64_t firstRow;
    int64_t endRow;
};

// A region is taken at most this many pixels wide and high: a hundred screens, more than any region a
// game can mean, and a column wipe over it still ends (in eleven minutes at 10 ms a step).
const int64_t kLongestRegionSide = 65536;

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
        grid.columns = width_ / size;
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

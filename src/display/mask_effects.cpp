// The wipes that read their masks from the system graphics: frames of 16×16 cells, played in every
// tile at once (2–5), travelling across the region in a band (9–12), or mirrored into the four
// quarters of 32×32 tiles (6, 13).
#include "display/display.h"
#include "display/private/effect_region.h"
#include "display/private/effect_steps.h"
#include "display/transition_effects.h"

namespace {

const int kTile = 16;
const int kMirrorTile = 32;
const int kMaskTop = 32;
const int kQuarterFrames = 32;
const int kPatternFrames[4] = {16, 16, 16, 32};

// Column j of the grid alone: a sweep draws its frames column by column.
TileGrid oneColumn(const TileGrid& grid, int64_t j) {
    return {grid.columns, j, j + 1, grid.firstRow, grid.endRow};
}

void readFrame(int left, int top, MaskFrame& out) {
    g_display.mapSurface(SLOT_SYSTEM);
    const uint8_t* pixels = g_display.pixels[SLOT_SYSTEM];
    int32_t pitch = g_display.pitch[SLOT_SYSTEM];
    out.count = 0;
    for (int r = 0; r < kMaskCell; ++r) {
        for (int c = 0; c < kMaskCell; ++c) {
            if (pixels[(top + r) * pitch + left + c] == 0) continue;
            out.column[out.count] = static_cast<uint8_t>(c);
            out.row[out.count] = static_cast<uint8_t>(r);
            ++out.count;
        }
    }
}

// A frame of a pattern on every 16×16 tile of the grid.
void applyFrame(EffectRegion& region, const MaskFrame& frame, const TileGrid& grid) {
    for (int64_t ty = grid.firstRow; ty < grid.endRow; ++ty) {
        for (int64_t tx = grid.firstColumn; tx < grid.endColumn; ++tx) {
            for (int i = 0; i < frame.count; ++i)
                region.copy(kTile * tx + frame.column[i], kTile * ty + frame.row[i]);
        }
    }
}

// A quarter-mask frame mirrored into every 32×32 tile of the grid.
void applyMirroredFrame(EffectRegion& region, const MaskFrame& frame, const TileGrid& grid) {
    const int last = kMirrorTile - 1;
    for (int64_t ty = grid.firstRow; ty < grid.endRow; ++ty) {
        for (int64_t tx = grid.firstColumn; tx < grid.endColumn; ++tx) {
            int64_t u = kMirrorTile * tx, v = kMirrorTile * ty;
            for (int i = 0; i < frame.count; ++i) {
                int c = frame.column[i], r = frame.row[i];
                region.copy(u + c, v + r);
                region.copy(u + last - c, v + r);
                region.copy(u + c, v + last - r);
                region.copy(u + last - c, v + last - r);
            }
        }
    }
}

}  // namespace

int patternFrameCount(int pattern) {
    return kPatternFrames[pattern];
}

void readPatternFrame(int pattern, int frame, MaskFrame& out) {
    readFrame(kMaskCell * frame, kMaskTop + kMaskCell * pattern, out);
}

void readQuarterFrame(int frame, MaskFrame& out) {
    readPatternFrame(3, kQuarterFrames - 1 - frame, out);
}

void TransitionEffects::maskWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                 int32_t height, int32_t wait, int pattern, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kTile);
    MaskFrame frame;
    runSteps(patternFrameCount(pattern), wait, [&](int64_t f) {
        readPatternFrame(pattern, static_cast<int>(f), frame);
        applyFrame(region, frame, grid);
    });
}

// A band of mask frames travels left to right: column j starts at step j and is complete at step
// j + frames − 1.
void TransitionEffects::maskSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                  int32_t height, int32_t wait, int pattern, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kTile);
    int frames = patternFrameCount(pattern);
    MaskFrame mask[32];
    for (int f = 0; f < frames; ++f)
        readPatternFrame(pattern, f, mask[f]);
    runSteps(grid.columns + frames, wait, [&](int64_t step) {
        for (int f = 0; f < frames; ++f) {
            int64_t j = step - f;
            if (j >= grid.firstColumn && j < grid.endColumn) applyFrame(region, mask[f], oneColumn(grid, j));
        }
    });
}

void TransitionEffects::mirrorWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                   int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kMirrorTile);
    MaskFrame frame;
    runSteps(kQuarterFrames, wait, [&](int64_t f) {
        readQuarterFrame(static_cast<int>(f), frame);
        applyMirroredFrame(region, frame, grid);
    });
}

void TransitionEffects::mirrorSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                    int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kMirrorTile);
    MaskFrame mask[kQuarterFrames];
    for (int f = 0; f < kQuarterFrames; ++f)
        readQuarterFrame(f, mask[f]);
    runSteps(grid.columns + kQuarterFrames, wait, [&](int64_t step) {
        for (int f = 0; f < kQuarterFrames; ++f) {
            int64_t j = step - f;
            if (j >= grid.firstColumn && j < grid.endColumn)
                applyMirroredFrame(region, mask[f], oneColumn(grid, j));
        }
    });
}

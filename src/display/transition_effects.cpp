#include "display/transition_effects.h"

#include "display/display.h"
#include "display/private/effect_region.h"
#include "display/private/effect_steps.h"
#include "platform/files/text_encoding.h"
#include "shell/shell.h"

int32_t g_dissolveX[kDissolveCells];
int32_t g_dissolveY[kDissolveCells];
TransitionEffects g_effects;

namespace {

const int kTile = 16;
const int kDissolveSide = 16;
const uint32_t kPauseAfterEffectMs = 200;

}  // namespace

// A random order of the 256 cells of a 16×16 tile, drawn from the shared generator at start-up (its
// first use), so it is the same on every run.
void TransitionEffects::buildDissolveOrder() {
    bool taken[kDissolveSide][kDissolveSide] = {};
    for (int i = 0; i < kDissolveCells;) {
        int32_t x = randomInRange(0, kDissolveSide - 1);
        int32_t y = randomInRange(0, kDissolveSide - 1);
        if (!taken[x][y]) {
            taken[x][y] = true;
            g_dissolveX[i] = x;
            g_dissolveY[i] = y;
            ++i;
        }
        waitSinceMark(0);
    }
}

void TransitionEffects::run(int32_t effect, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY,
                            int32_t width, int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    switch (effect) {
        case 0:
            g_display.showRect(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
            break;
        case 1:
            dissolve(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            maskWipe(dstX, dstY, srcX, srcY, width, height, wait, effect - 2, dstSlot, srcSlot);
            break;
        case 6:
            mirrorWipe(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        case 7:
            columnWipe(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        case 8:
            dissolveSweep(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        case 9:
        case 10:
        case 11:
        case 12:
            maskSweep(dstX, dstY, srcX, srcY, width, height, wait, effect - 9, dstSlot, srcSlot);
            break;
        case 13:
            mirrorSweep(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        case 14:
            rowWipe(dstX, dstY, srcX, srcY, width, height, wait, dstSlot, srcSlot);
            break;
        default:
            fatalError(sjis(kTransitionRangeMessage));
    }
    sleepMs(kPauseAfterEffectMs);
}

// Every whole tile gains the same one pixel per step, in the dissolve order; transparent source pixels
// are left out, so a text layer or a menu lands over what the screen shows.
void TransitionEffects::dissolve(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                 int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kTile);
    runSteps(kDissolveCells, wait, [&](int64_t k) {
        for (int64_t ty = grid.firstRow; ty < grid.endRow; ++ty) {
            for (int64_t tx = grid.firstColumn; tx < grid.endColumn; ++tx) {
                region.copyKeyed(kTile * tx + g_dissolveX[k], kTile * ty + g_dissolveY[k]);
            }
        }
    });
}

// Column j of 16 pixels dissolves in 256 steps, starting one step after its left neighbour.
void TransitionEffects::dissolveSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                      int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    TileGrid grid = region.tiles(kTile);
    runSteps(grid.columns + kDissolveCells, wait, [&](int64_t step) {
        for (int k = 0; k < kDissolveCells; ++k) {
            int64_t j = step - k;
            if (j < grid.firstColumn || j >= grid.endColumn) continue;
            for (int64_t ty = grid.firstRow; ty < grid.endRow; ++ty) {
                region.copy(kTile * j + g_dissolveX[k], kTile * ty + g_dissolveY[k]);
            }
        }
    });
}

// One pixel column a step, left to right.
void TransitionEffects::columnWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                   int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    runSteps(region.width(), wait, [&](int64_t u) {
        for (int64_t v = region.firstV(); v < region.endV(); ++v)
            region.copy(u, v);
    });
}

// One pixel row a step, top to bottom.
void TransitionEffects::rowWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                                int32_t height, int32_t wait, int dstSlot, int srcSlot) {
    EffectRegion region(dstX, dstY, srcX, srcY, width, height, dstSlot, srcSlot);
    runSteps(region.height(), wait, [&](int64_t v) {
        for (int64_t u = region.firstU(); u < region.endU(); ++u)
            region.copy(u, v);
    });
}

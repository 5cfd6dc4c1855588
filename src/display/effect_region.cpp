#include "display/private/effect_region.h"

#include <algorithm>

#include "shell/shell.h"

EffectRegion::EffectRegion(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
                           int32_t height, int dstSlot, int srcSlot)
    : dstX_(dstX),
      dstY_(dstY),
      srcX_(srcX),
      srcY_(srcY),
      width_(std::min<int64_t>(width, kLongestRegionSide)),
      height_(std::min<int64_t>(height, kLongestRegionSide)) {
    // The windowed screen lies at the client origin.
    if (dstSlot == SLOT_SCREEN && !g_fullScreen) {
        dstX_ += g_clientX;
        dstY_ += g_clientY;
    }
    g_display.mapSurface(dstSlot);
    g_display.mapSurface(srcSlot);
    dst_ = g_display.pixels[dstSlot];
    src_ = g_display.pixels[srcSlot];
    dstPitch_ = g_display.pitch[dstSlot];
    srcPitch_ = g_display.pitch[srcSlot];
    key_ = Display::transparentIndex();
    firstU_ = std::max<int64_t>({0, -dstX_, -srcX_});
    endU_ = std::min<int64_t>({width_, kSlotWidth - dstX_, kSlotWidth - srcX_});
    firstV_ = std::max<int64_t>({0, -dstY_, -srcY_});
    endV_ = std::min<int64_t>({height_, kSlotHeight - dstY_, kSlotHeight - srcY_});
}

void EffectRegion::visibleTiles(int size, int64_t count, int64_t firstPixel, int64_t endPixel, int64_t& first,
                                int64_t& end) {
    first = std::max<int64_t>(0, firstPixel / size);
    end = endPixel <= firstPixel ? first : std::min<int64_t>(count, (endPixel + size - 1) / size);
    if (end < first) end = first;
}

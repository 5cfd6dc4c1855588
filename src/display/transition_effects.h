// The fifteen numbered transitions that bring a region of one slot onto another step by step.
#pragma once
#include <cstdint>

const int kDissolveCells = 256;
// The first mask pattern of the system graphics: the wipe of the engine's own screens and menus.
const int kBlindsPattern = 0;

// What a transition of another number stops with.
inline constexpr char kTransitionRangeMessage[] =
    "[@bgload][@objload] 現在対応している演出番号は 0～14 です。";

extern int32_t g_dissolveX[kDissolveCells];
extern int32_t g_dissolveY[kDissolveCells];

class TransitionEffects {
public:
    void buildDissolveOrder();
    // Effects 0–14, then a 200 ms pause; any other number ends the program with its message.
    void run(int32_t effect, int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width,
             int32_t height, int32_t wait, int dstSlot, int srcSlot);

    void dissolve(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                  int32_t wait, int dstSlot, int srcSlot);
    void maskWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                  int32_t wait, int pattern, int dstSlot, int srcSlot);
    void maskSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                   int32_t wait, int pattern, int dstSlot, int srcSlot);
    void mirrorWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                    int32_t wait, int dstSlot, int srcSlot);
    void mirrorSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                     int32_t wait, int dstSlot, int srcSlot);
    void dissolveSweep(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                       int32_t wait, int dstSlot, int srcSlot);
    void columnWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                    int32_t wait, int dstSlot, int srcSlot);
    void rowWipe(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                 int32_t wait, int dstSlot, int srcSlot);
};

extern TransitionEffects g_effects;

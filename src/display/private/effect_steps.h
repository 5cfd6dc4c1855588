// The step clock of the effects, and the mask frames they read from the system graphics.
#pragma once
#include <cstdint>

#include "shell/shell.h"

// Runs count steps, each at least wait milliseconds including its own drawing.
template <typename Draw>
void runSteps(int64_t count, int32_t wait, Draw draw) {
    for (int64_t step = 0; step < count; ++step) {
        markTime();
        draw(step);
        waitSinceMark(static_cast<uint32_t>(wait));
    }
}

const int kMaskCell = 16;

// The cells (c, r) that one mask frame sets: pixels whose index in the system graphics is not 0.
struct MaskFrame {
    uint8_t column[kMaskCell * kMaskCell];
    uint8_t row[kMaskCell * kMaskCell];
    int count;
};

// Frame f of pattern p (0–3) stands at x 16f, y 32 + 16p of the system graphics.
void readPatternFrame(int pattern, int frame, MaskFrame& out);
// Frame f of the quarter mask is frame 31 − f of pattern 3.
void readQuarterFrame(int frame, MaskFrame& out);
int patternFrameCount(int pattern);

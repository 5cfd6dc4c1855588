#include "shell/shell.h"

namespace {

// The runtime library's generator: one for the whole program, starting at 1 and never reseeded,
// so every run draws the same sequence.
uint32_t g_randomState = 1;

int32_t nextRandom() {
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int32_t>((g_randomState >> 16) & 0x7FFF);
}

}  // namespace

void resetRandomGenerator() {
    g_randomState = 1;
}

int32_t randomInRange(int32_t lo, int32_t hi) {
    // Computed in 64 bits so that ranges wider than 2^31 neither overflow nor leave lo..hi.
    int64_t size = static_cast<int64_t>(hi) - lo + 1;
    return static_cast<int32_t>(lo + nextRandom() % size);
}

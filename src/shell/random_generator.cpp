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

// lo + r mod (hi - lo + 1) in the 32-bit signed arithmetic of the machines the games were written on:
// a range written backwards (hi < lo) draws from lo upwards, and a range whose size wraps to 0 (hi is
// lo - 1, or lo and hi span all of 2^32) cannot be divided by, so it gives lo.
int32_t randomInRange(int32_t lo, int32_t hi) {
    int32_t size = static_cast<int32_t>(static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u);
    int32_t r = nextRandom();
    if (size == 0) return lo;
    return static_cast<int32_t>(static_cast<uint32_t>(lo) + static_cast<uint32_t>(r % size));
}

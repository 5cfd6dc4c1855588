// Sums of drawing coordinates. Scripts may pass any 32-bit number; a sum beyond the range stays at its
// end, far off every slot, instead of wrapping round onto the screen.
#pragma once
#include <cstdint>

inline int32_t clampToInt32(int64_t value) {
    return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

inline int32_t addCoordinates(int32_t a, int32_t b) {
    return clampToInt32(static_cast<int64_t>(a) + b);
}
